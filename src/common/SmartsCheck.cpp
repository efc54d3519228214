#include "common/SmartsCheck.h"

#include <sys/stat.h>

#include "common/FastSearchIndex.h"
#include "common/IndexQuery.h"
#include "common/Refusal.h"
#include "common/ReportShell.h"
#include "common/ShellQuote.h"

namespace molbench {

namespace {

constexpr const char* kMatching = kSmartsMatching;
constexpr const char* kNotMatching = "not_matching";
// The header obabel prints above an error of its pattern filter's setup.
constexpr const char* kFilterErrorHeader = "*** Open Babel Error  in Do";

bool isBlank(const std::string& text) {
  return text.find_first_not_of(" \t\r\n\v\f") == std::string::npos;
}

std::optional<SmartsProblem> modeProblem(const std::string& modeTitle, SmartsUse use) {
  if (use != SmartsUse::indexQuery || modeTitle == kMatching) return std::nullopt;
  if (modeTitle == kNotMatching)
    return SmartsProblem{kChooseModeTitle,
                         "An index search finds only the molecules that match its pattern: "
                         "obabel's index has no \"not_matching\". Choose \"matching\", or search "
                         "the molecule file itself."};
  return SmartsProblem{kChooseModeTitle,
                       "An index search needs a query: choose \"matching\" and type a SMARTS "
                       "pattern."};
}

// What obabel says when the file search's filter cannot use the pattern, or nothing.
std::optional<std::string> patternWords(const std::string& obabelPath, const std::string& pattern) {
  auto run = shellReport(smartsCheckCommand(obabelPath, pattern));
  return run.output ? obabelPatternError(*run.output) : std::nullopt;
}

// obabel searches an index for a molecule, never for a SMARTS alone: it reads the query as a
// molecule first, and a substructure search then reads it as a SMARTS to match each hit.
std::optional<SmartsProblem> indexQueryFilterProblem(const std::string& obabelPath,
                                                     const std::string& query,
                                                     const std::string& similarity,
                                                     const std::string& scratchFolder) {
  if (auto problem = similarityProblem(similarity))
    return SmartsProblem{kMendSimilarityTitle, *problem};
  auto finding = indexQueryProblem(obabelPath, query, similarity, scratchFolder);
  // Unchecked, a query the index cannot read would empty the output with no word.
  if (finding.kind == IndexQueryFinding::notChecked)
    return SmartsProblem{kQueryUncheckedTitle,
                         "The index search's query \"" + query +
                             "\" could not be checked before the run: " + finding.words +
                             ". obabel empties the output before it finds a query it cannot "
                             "read, so nothing was run. Make the temporary folder (TMPDIR) a "
                             "folder this program can write in, and search again."};
  if (finding.kind == IndexQueryFinding::unreadable)
    return SmartsProblem{
        kMendPatternTitle,
        "obabel's index search cannot read the query \"" + query + "\":\n\n" + finding.words +
            "\n\nAn index search takes a molecule: a SMILES (in which [#n] atoms and ~ bonds "
            "may stand), or the name of a molecule file; with a similarity, only a SMILES. The "
            "file search takes any SMARTS pattern: search the molecule file itself for this one. "
            "Nothing was run."};
  // A similarity search never matches by SMARTS.
  if (!similarity.empty()) return std::nullopt;
  auto words = patternWords(obabelPath, query);
  if (!words) return std::nullopt;
  return SmartsProblem{
      kMendPatternTitle,
      "obabel's index search matches each molecule its fingerprints find against the query read "
      "as a SMARTS pattern, and it cannot read \"" +
          query + "\" so:\n\n" + *words +
          "\n\nA molecule that is no SMARTS pattern (a salt or a mixture, with \".\") can be "
          "searched by similarity. Nothing was run."};
}

}  // namespace

SmartsUse smartsUseForInput(const std::string& inputPath, const std::string& inputFormatFlag) {
  if (inputFormatFlag == "-ifs") return SmartsUse::indexInput;
  return inputFormatFlag.empty() && isFastSearchIndex(inputPath) ? SmartsUse::indexInput
                                                                 : SmartsUse::filterOrNone;
}

std::string smartsCheckCommand(const std::string& obabelPath, const std::string& pattern) {
  return programWord(obabelPath) + " -:C -onul -s " + optionValue(pattern) + " 2>&1";
}

std::optional<std::string> obabelPatternError(const std::string& checkOutput) {
  if (checkOutput.find(kFilterErrorHeader) == std::string::npos) return std::nullopt;
  return obabelMessages(checkOutput, kFilterErrorHeader);
}

std::optional<SmartsProblem> smartsFilterProblem(const std::string& obabelPath,
                                                 const std::string& modeTitle,
                                                 const std::string& pattern, SmartsUse use,
                                                 const std::string& similarity,
                                                 const std::string& scratchFolder) {
  if (use == SmartsUse::filterOrNone && !similarity.empty())
    return SmartsProblem{
        kSimilarityNeedsIndexTitle,
        "obabel finds molecules by similarity only through a fast-search index: searching a "
        "molecule file, it ignores the similarity \"" +
            similarity +
            "\" and writes what the pattern matches as a substructure (or every molecule), with "
            "no word. Build an index of the file and search it with the index search, or "
            "choose the index as the input with \"matching\"; to search the file itself, clear "
            "the similarity. Nothing was run."};
  if (auto problem = modeProblem(modeTitle, use)) return problem;
  // "Choose", or an empty popup that keeps the fragment an earlier run checked.
  if (modeTitle != kMatching && modeTitle != kNotMatching) return std::nullopt;
  if (isBlank(pattern))
    return SmartsProblem{kTypePatternTitle, "\"" + modeTitle +
                                                "\" filters by a SMARTS pattern, and the pattern "
                                                "field is empty: type a SMARTS pattern, or the "
                                                "name of a file of pattern molecules."};
  // obabel takes such a word for one of its own options and filters by no pattern at all.
  if (pattern.front() == '-')
    return SmartsProblem{kMendPatternTitle,
                         "obabel reads a pattern that begins with \"-\" as one of its own "
                         "options, never as a pattern. Mend the pattern; for a pattern file "
                         "whose name begins with \"-\", write \"./\" before the name."};
  if (use == SmartsUse::indexQuery || (use == SmartsUse::indexInput && modeTitle == kMatching))
    return indexQueryFilterProblem(obabelPath, pattern, similarity, scratchFolder);
  auto words = patternWords(obabelPath, pattern);
  if (!words) return std::nullopt;
  return SmartsProblem{kMendPatternTitle, "obabel cannot use the pattern \"" + pattern + "\":\n\n" +
                                              *words + "\n\nMend the pattern; nothing was run."};
}

std::vector<std::string> withPatternFile(std::vector<std::string> filesRead,
                                         const std::string& modeTitle, const std::string& pattern) {
  struct stat info {};
  if ((modeTitle == kMatching || modeTitle == kNotMatching) && !pattern.empty() &&
      ::stat(pattern.c_str(), &info) == 0 && S_ISREG(info.st_mode))
    filesRead.push_back(pattern);
  return filesRead;
}

bool smartsFilterAccepted(platform::Platform& platform, const std::string& obabelPath,
                          const std::string& modeTitle, const std::string& pattern, SmartsUse use,
                          const std::string& similarity) {
  auto problem = smartsFilterProblem(obabelPath, modeTitle, pattern, use, similarity,
                                     platform.temporaryDirectory());
  return acceptedUnless(platform, problem ? std::optional(problem->text) : std::nullopt,
                        problem ? problem->title : "");
}

}  // namespace molbench
