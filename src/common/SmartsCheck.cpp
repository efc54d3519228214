#include "common/SmartsCheck.h"

#include "common/Refusal.h"
#include "common/ReportShell.h"
#include "common/ShellQuote.h"

namespace molbench {

namespace {

constexpr const char* kMatching = "matching";
constexpr const char* kNotMatching = "not_matching";
// The header obabel prints above an error of its pattern filter's setup.
constexpr const char* kFilterErrorHeader = "*** Open Babel Error  in Do";

bool isBlank(const std::string& text) {
  return text.find_first_not_of(" \t\r\n\v\f") == std::string::npos;
}

std::string trimmed(const std::string& text) {
  size_t first = text.find_first_not_of(" \t\r");
  if (first == std::string::npos) return "";
  return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
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

}  // namespace

std::string smartsCheckCommand(const std::string& obabelPath, const std::string& pattern) {
  return programWord(obabelPath) + " -:C -onul -s " + optionValue(pattern) + " 2>&1";
}

std::optional<std::string> obabelPatternError(const std::string& checkOutput) {
  size_t header = checkOutput.find(kFilterErrorHeader);
  if (header == std::string::npos) return std::nullopt;
  // The message is the indented lines under the header.
  std::string words;
  size_t start = checkOutput.find('\n', header);
  while (start != std::string::npos && start + 1 < checkOutput.size() &&
         checkOutput[start + 1] == ' ') {
    size_t end = checkOutput.find('\n', start + 1);
    std::string line = trimmed(checkOutput.substr(start + 1, end - start - 1));
    if (!line.empty()) words += (words.empty() ? "" : "\n") + line;
    start = end;
  }
  return words;
}

std::optional<SmartsProblem> smartsFilterProblem(const std::string& obabelPath,
                                                 const std::string& modeTitle,
                                                 const std::string& pattern, SmartsUse use) {
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
  auto run = shellReport(smartsCheckCommand(obabelPath, pattern));
  auto words = run.output ? obabelPatternError(*run.output) : std::nullopt;
  if (!words) return std::nullopt;
  return SmartsProblem{kMendPatternTitle, "obabel cannot use the pattern \"" + pattern + "\":\n\n" +
                                              *words + "\n\nMend the pattern; nothing was run."};
}

bool smartsFilterAccepted(platform::Platform& platform, const std::string& obabelPath,
                          const std::string& modeTitle, const std::string& pattern, SmartsUse use) {
  auto problem = smartsFilterProblem(obabelPath, modeTitle, pattern, use);
  return acceptedUnless(platform, problem ? std::optional(problem->text) : std::nullopt,
                        problem ? problem->title : "");
}

}  // namespace molbench
