#include "tools/obenergyCommands.h"

#include "common/ShellQuote.h"

namespace molbench {

namespace {
std::string reportHead(const std::string& head, const std::string& iFileType,
                       const std::string& inputPath) {
  return head + " " + iFileType + " " + quotedPath(inputPath) + kEnergyReportPiece;
}
}  // namespace

std::string obenergyCommand(const std::string& head, const std::string& iFileType,
                            const std::string& inputPath, const std::string& forceFieldTitle) {
  return reportHead(head, iFileType, inputPath) + " --ff " + optionValue(forceFieldTitle);
}

std::string obenergySaveCommand(const std::string& head, const std::string& iFileType,
                                const std::string& inputPath, const std::string& outputPath,
                                const std::string& forceFieldTitle) {
  return reportHead(head, iFileType, inputPath) + " -O " + quotedPath(outputPath) + " --ff " +
         optionValue(forceFieldTitle);
}

}  // namespace molbench
