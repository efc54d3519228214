#include "common/NoMoleculeRead.h"

#include <regex>

#include "common/FastSearchIndex.h"
#include "common/FormatFromName.h"
#include "common/FormatTables.h"
#include "common/RunFailure.h"
#include "common/ShellQuote.h"

namespace molbench {

namespace {

std::string inQuotes(const std::string& text) { return "\"" + text + "\""; }

// The number of obabel's last summary line ("1 molecule converted"), if it wrote one.
std::optional<long> lastSummaryCount(const std::string& errorText) {
  static const std::regex summary(R"((?:^|\n)(\d+) molecules? converted\r?(?=\n|$))");
  std::optional<long> count;
  for (std::sregex_iterator match(errorText.begin(), errorText.end(), summary), end; match != end;
       ++match)
    count = std::stol((*match)[1].str());
  return count;
}

// The format the input was read as, for a sentence: its code and obabel's description, and where
// it came from.
std::string formatWords(const ConvertedInput& input) {
  bool chosen = input.formatFlag.size() > 2;
  std::string code = chosen ? input.formatFlag.substr(2)
                            : formatFromName(input.path, nameRuleOf("obabel", "input")).code;
  std::string description = formatDescription(code);
  return inQuotes(code) + (description.empty() ? "" : " (" + description + ")") +
         (chosen ? ", the format chosen for it" : ", the format its name gives");
}

// An index is read only through a query (a chosen "fs" reads the index beside the file).
bool readsIndex(const ConvertedInput& input) {
  return input.formatFlag == "-ifs" || isFastSearchIndex(input.path);
}

// Whether obabel said it converted no molecule (one of the runs of a piped command did).
bool convertedNone(const platform::posix::BashRun& run) {
  static const std::regex none(R"((?:^|\n)0 molecules converted\r?(?=\n|$))");
  return std::regex_search(run.errorTail, none);
}

// Learns whether obabel reads any molecule from the input: it reads up to the first one (obabel
// stops at the first record it cannot read, so the first tells) and writes none.
std::string firstMoleculeCommand(const ConvertedInput& input) {
  std::string command = programWord(input.obabelPath);
  if (!input.formatFlag.empty()) command += " " + input.formatFlag;
  command += " " + pathArgument(input.path);
  if (!input.readOption.empty()) command += " " + input.readOption;
  return command + " -onul -l 1";
}

// Nothing when obabel's summary does not tell (the program could not be run).
std::optional<bool> readsAnyMolecule(const ConvertedInput& input) {
  auto run = platform::posix::runBash(firstMoleculeCommand(input));
  auto count = lastSummaryCount(run.errorTail);
  if (!count) return std::nullopt;
  return *count > 0;
}

// Names the input and the format it was read as, and says what became of the output: `outcome`,
// the kept copy's sentence, or empty when no file was there.
platform::AlertRequest noMoleculeAlert(const platform::posix::BashRun& run,
                                       const ConvertedInput& input, const std::string& outputPath,
                                       OutputKind kind, const std::string& outcome) {
  std::string sentence = "obabel found no molecule in " + inQuotes(input.path) + " read as " +
                         formatWords(input) +
                         ": the file is empty, holds no molecule, or holds them in another "
                         "format. Nothing was converted.";
  if (outcome.empty())
    sentence += kind == OutputKind::splitFiles ? " It wrote no file."
                                               : " " + inQuotes(outputPath) + " holds no molecule.";
  auto alert = unusableOutputAlert(run, kNoMoleculeAlertTitle, sentence);
  if (!outcome.empty()) alert.informativeText += "\n\n" + outcome;
  return alert;
}

}  // namespace

bool saidNoMoleculeRead(platform::Platform& platform, const platform::posix::BashRun& run,
                        const ConvertedInput& input, const std::string& outputPath, OutputKind kind,
                        KeptOutput& kept) {
  // A run that converted anything, or whose input gives molecules its selection left out, has
  // its result in the output; so has a query of an index that finds nothing.
  if (!convertedNone(run) || readsIndex(input) || readsAnyMolecule(input).value_or(true)) {
    kept.discard();
    return false;
  }
  platform.runAlert(noMoleculeAlert(run, input, outputPath, kind, kept.putBack()));
  return true;
}

}  // namespace molbench
