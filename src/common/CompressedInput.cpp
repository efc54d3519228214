#include "common/CompressedInput.h"

#include <regex>

#include "common/Refusal.h"
#include "common/Shell.h"
#include "common/ShellQuote.h"

namespace molbench {

CompressedReading compressedReadingOf(const std::string& program) {
  // They read with a fresh gzip stream for each molecule, which has swallowed the rest of the
  // file by the time the second is asked for; obspectrophore does not decompress at all.
  for (const char* firstOnly : {"obprop", "obtautomer", "obrotate", "obprobe", "obsym"})
    if (program == firstOnly) return CompressedReading::firstMolecule;
  if (program == "obspectrophore") return CompressedReading::nothing;
  return CompressedReading::whole;
}

std::optional<int> moleculesUpToTwo(const std::string& obabelWord, const std::string& path) {
  // "-l 2" ends the reading at the second molecule, so a large file costs no more than a small
  // one: a few hundredths of a second.
  auto run = shellRun(obabelWord + " " + pathArgument(path) + " -onul -l 2 2>&1 >/dev/null");
  std::smatch match;
  static const std::regex converted(R"((\d+) molecules? converted)");
  if (!run.output || !std::regex_search(*run.output, match, converted)) return std::nullopt;
  return std::stoi(match[1]);
}

std::optional<std::string> compressedInputProblem(const InputFile& file,
                                                  const std::string& obabelWord) {
  if (file.format == FormatSource::none) return std::nullopt;
  CompressedReading reading = compressedReadingOf(file.reader);
  if (reading == CompressedReading::whole || !isGzipCompressed(file.path)) return std::nullopt;
  const std::string the = "The " + file.field + " file \"" + file.path + "\" is gzip-compressed";
  const std::string decompress =
      " Decompress it (gunzip -k in a terminal) and choose the decompressed file.";
  if (reading == CompressedReading::nothing)
    return the + ", and " + file.reader +
           " cannot read a compressed file: it would read no molecule from it." + decompress;
  auto count = moleculesUpToTwo(obabelWord, file.path);
  if (!count || *count < 2) return std::nullopt;
  return the + " and holds more than one molecule, but " + file.reader +
         " reads only the first molecule of a compressed file and would leave the others out "
         "without a word." +
         decompress;
}

bool compressedInputsAccepted(platform::Platform& platform, const std::vector<InputFile>& files,
                              const std::string& obabelWord) {
  for (const auto& file : files)
    if (!acceptedUnless(platform, compressedInputProblem(file, obabelWord), kDecompressAlertTitle))
      return false;
  return true;
}

}  // namespace molbench
