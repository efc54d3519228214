#include "common/KeptOutput.h"

#include <sys/stat.h>

namespace molbench {

namespace {

constexpr const char* kCopyStart = "kept-output-";
// Longer endings are left off, so the copy's name stays within what a folder takes.
constexpr size_t kLongestEnding = 16;

std::string inQuotes(const std::string& text) { return "\"" + text + "\""; }

// The output's extension with its dot ("" for none), so the copy opens as the file did.
std::string endingOf(const std::string& path) {
  size_t slash = path.find_last_of('/');
  size_t dot = path.find_last_of('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return "";
  std::string ending = path.substr(dot);
  return ending.size() <= kLongestEnding ? ending : "";
}

bool isRegularFile(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

}  // namespace

KeptOutput::KeptOutput(std::string outputPath, std::string temporaryFolder)
    : outputPath_(outputPath),
      ending_(endingOf(outputPath)),
      copy_(std::move(outputPath), std::move(temporaryFolder), KeptCopyName{kCopyStart, ending_}) {}

std::optional<std::string> KeptOutput::keep() {
  // A device or a pipe at the name holds no earlier result (and a pipe would wait for a writer).
  if (!isRegularFile(outputPath_)) return std::nullopt;
  auto problem = copy_.keep();
  if (!problem) {
    kept_ = true;
    return std::nullopt;
  }
  std::string start = "Molbench cannot keep a copy of the file " + inQuotes(outputPath_) +
                      " while the program writes it (";
  std::string end =
      "), and the run empties it before it knows whether it gives a result, so a run that fails "
      "would lose it.";
  switch (problem->kind) {
    case KeptCopy::Problem::Kind::unwritable:
      return std::nullopt;  // the program cannot empty it either, and says so
    case KeptCopy::Problem::Kind::unreadable:
      return start + "it cannot be read: " + problem->reason + end + " Choose another output file.";
    case KeptCopy::Problem::Kind::noCopy:
      break;
  }
  return start + problem->reason + end +
         " Make room on the disk or in the temporary folder, or choose another output file.";
}

void KeptOutput::discard() {
  if (kept_) copy_.discard();
  kept_ = false;
}

std::string KeptOutput::putBack() {
  if (!kept_) return "";
  kept_ = false;
  auto outcome = copy_.putBack();
  std::string before = "The file that was at " + inQuotes(outputPath_) + " before";
  switch (outcome.kind) {
    case KeptCopy::Outcome::Kind::nothingThere:
    case KeptCopy::Outcome::Kind::removed:
      return "";
    case KeptCopy::Outcome::Kind::unchanged:
      return before + " is still in place, unchanged.";
    case KeptCopy::Outcome::Kind::copyUnreadable:
      return "Molbench could not read the copy " + inQuotes(outcome.copy) + " of the file that " +
             "was at " + inQuotes(outputPath_) + " before (" + outcome.reason + ").";
    case KeptCopy::Outcome::Kind::notRestored:
      return "Molbench could not put the file that was at " + inQuotes(outputPath_) +
             " before back (" + outcome.reason + "): it is kept as " + inQuotes(outcome.copy) +
             "; copy it over " + inQuotes(outputPath_) + " to get it back.";
    case KeptCopy::Outcome::Kind::restored:
      break;
  }
  return before + " is back in place, unchanged.";
}

}  // namespace molbench
