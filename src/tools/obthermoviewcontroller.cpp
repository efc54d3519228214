#include "tools/obthermoviewcontroller.h"

#include "common/PopupHelpers.h"
#include "common/ShellQuote.h"
#include "common/ReportShell.h"
#include "tools/obthermoTables.h"

namespace molbench {

namespace {
using P = obthermoviewcontroller;
}  // namespace

std::optional<std::string> obthermoUnitsPiece(const std::string& unitsTitle) {
  if (unitsTitle == kKcalUnits) return std::string();
  if (unitsTitle == kKjUnits) return std::string(" --kj ");
  return std::nullopt;
}

std::string obthermoValuePiece(const char* option, const std::string& text) {
  if (text.empty()) return "";
  return option + shellWord(text);
}

std::string obthermoCommand(const ObthermoPieces& p) {
  return p.head + " " + quotedPath(p.inputPath) + p.obunits + " " + p.symNum + " " + p.numRots +
         " " + p.tempDerivative;
}

obthermoviewcontroller::obthermoviewcontroller(platform::Platform& platform)
    : ToolPane(platform), outputUnits(kObthermoUnits) {}

const platform::Bindings<obthermoviewcontroller>& obthermoviewcontroller::bindings() {
  static const auto table = platform::Bindings<P>()
                                .outlet("inputFilepath", &P::inputFilepath)
                                .outlet("outputunits", &P::outputunits)
                                .outlet("symmetryNumber", &P::symmetryNumber)
                                .outlet("numRotbonds", &P::numRotbonds)
                                .outlet("tempDeriv", &P::tempDeriv)
                                .outlet("obthermoText", &P::obthermoText)
                                .action("inputFilepath:", &P::chooseInputFile)
                                .action("runObthermo:", &P::runObthermo);
  return table;
}

platform::posix::BashRun obthermoviewcontroller::shell(const std::string& command) {
  return shellReportWithMessages(command);
}

void obthermoviewcontroller::viewDidLoad() {
  if (!connected("viewDidLoad", {"outputunits"})) return;
  fillPopup(*outputunits.get(), outputUnits, 0);
}

void obthermoviewcontroller::chooseInputFile(platform::Control*) {
  if (!connected("inputFilepath:", {"inputFilepath"})) return;
  choosePath(kChooseInputTitle, std::nullopt, inputFilepath);
}

std::string obthermoviewcontroller::composeRun(const std::string& head, const std::string& input) {
  if (auto units = obthermoUnitsPiece(outputunits->titleOfSelectedItem())) obunits = *units;
  symNum = obthermoValuePiece(kSymmetryOption, symmetryNumber->text());
  numRots = obthermoValuePiece(kRotorsOption, numRotbonds->text());
  tempDerivative = obthermoValuePiece(kDerivativeOption, tempDeriv->text());
  return obthermoCommand({.head = head,
                          .inputPath = input,
                          .obunits = obunits,
                          .symNum = symNum,
                          .numRots = numRots,
                          .tempDerivative = tempDerivative});
}

void obthermoviewcontroller::runObthermo(platform::Control*) {
  if (!connected("runObthermo:", {"inputFilepath", "outputunits", "symmetryNumber", "numRotbonds",
                                  "tempDeriv", "obthermoText"}))
    return;
  std::string input = inputFilepath->text();
  auto report = runTool({.program = "obthermo", .inputs = {{"input", input}}, .showsErrors = true},
                        [&](const std::string& head) { return composeRun(head, input); });
  if (!report) return;
  obshellResult = *report;
  obthermoText->appendText(obshellResult);
}

}  // namespace molbench
