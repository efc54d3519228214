#include "tools/obenergyviewcontroller.h"

#include "common/PopupHelpers.h"
#include "common/ReportShell.h"
#include "common/ShellQuote.h"
#include "tools/obenergyTables.h"

namespace molbench {

namespace {
using P = obenergyviewcontroller;

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

obenergyviewcontroller::obenergyviewcontroller(platform::Platform& platform)
    : ToolPane(platform), forcefield(kForceFields), iFileTypes(kToolInputFormatsNoSmiles) {}

const platform::Bindings<obenergyviewcontroller>& obenergyviewcontroller::bindings() {
  static const auto table = platform::Bindings<P>()
                                .outlet("inputFilepath", &P::inputFilepath)
                                .outlet("inputFiletype", &P::inputFiletype)
                                .outlet("outputFilepath", &P::outputFilepath)
                                .outlet("obEnergyText", &P::obEnergyText)
                                .outlet("forceField", &P::forceField)
                                .action("inputFileSelect:", &P::inputFileSelect)
                                .action("outputFileSelect:", &P::outputFileSelect)
                                .action("runObenergy:", &P::runObenergy)
                                .action("saveEnergy:", &P::saveEnergy);
  return table;
}

platform::posix::BashRun obenergyviewcontroller::shell(const std::string& command) {
  return reportShown_ ? shellReportWithMessages(command) : shellReport(command);
}

void obenergyviewcontroller::viewDidLoad() {
  if (!connected("viewDidLoad", {"inputFiletype", "forceField"})) return;
  fillPopup(*inputFiletype.get(), iFileTypes, 0);
  fillPopup(*forceField.get(), forcefield, kEnergyForceFieldPreselected);
}

void obenergyviewcontroller::inputFileSelect(platform::Control*) { selectInput(kObenergyFiles); }

void obenergyviewcontroller::outputFileSelect(platform::Control*) { selectOutput(kObenergyFiles); }

void obenergyviewcontroller::runObenergy(platform::Control*) {
  if (!connected("runObenergy:", {"inputFilepath", "inputFiletype", "forceField", "obEnergyText"}))
    return;
  std::string input = inputFilepath->text();
  std::string field = forceField->titleOfSelectedItem();
  reportShown_ = true;
  auto report = runTool(
      {.inputs = {{"input", input, takeInputFormat()}},
       .needsCoordinates = true,
       .showsErrors = true},
      [&](const std::string& head) { return obenergyCommand(head, iFileType, input, field); });
  if (!report) return;
  obEnergyresult = *report;
  obEnergyText->setText(obEnergyresult);
}

void obenergyviewcontroller::saveEnergy(platform::Control*) {
  if (!connected("saveEnergy:", {"inputFilepath", "inputFiletype", "outputFilepath", "forceField"}))
    return;
  std::string input = inputFilepath->text();
  std::string output = outputFilepath->text();
  std::string field = forceField->titleOfSelectedItem();
  reportShown_ = false;
  runTool({.inputs = {{"input", input, takeInputFormat()}},
           .output = output,
           .printsCommand = false,
           .needsCoordinates = true,
           .usesForceField = true},
          [&](const std::string& head) {
            return obenergySaveCommand(head, iFileType, input, output, field);
          });
}

}  // namespace molbench
