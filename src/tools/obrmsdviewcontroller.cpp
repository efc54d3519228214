#include "tools/obrmsdviewcontroller.h"

#include "common/ShellQuote.h"
#include "common/ReportShell.h"

namespace molbench {

namespace {
using P = obrmsdviewcontroller;
}  // namespace

std::string obrmsCommand(const std::string& program, const std::string& chooseFirst,
                         const std::string& referencePath, const std::string& testPath) {
  return program + " " + chooseFirst + " " + quotedPath(referencePath) + " " + quotedPath(testPath);
}

obrmsdviewcontroller::obrmsdviewcontroller(platform::Platform& platform) : ToolPane(platform) {}

const platform::Bindings<obrmsdviewcontroller>& obrmsdviewcontroller::bindings() {
  static const auto table = platform::Bindings<P>()
                                .outlet("referenceFile", &P::referenceFile)
                                .outlet("testFile", &P::testFile)
                                .outlet("chooseFirstonly", &P::chooseFirstonly)
                                .outlet("obrmsResult", &P::obrmsResult)
                                .action("inputReferenceFile:", &P::inputReferenceFile)
                                .action("inputTestfFile:", &P::inputTestfFile)
                                .action("runOpbrmsd:", &P::runOpbrmsd);
  return table;
}

platform::posix::BashRun obrmsdviewcontroller::shell(const std::string& command) {
  return shellReportWithMessages(command);
}

void obrmsdviewcontroller::inputReferenceFile(platform::Control*) {
  if (connected("inputReferenceFile:", {"referenceFile"}))
    choosePath(kChooseReferenceTitle, std::nullopt, referenceFile);
}

void obrmsdviewcontroller::inputTestfFile(platform::Control*) {
  if (connected("inputTestfFile:", {"testFile"}))
    choosePath(kChooseTestTitle, std::nullopt, testFile);
}

void obrmsdviewcontroller::runOpbrmsd(platform::Control*) {
  if (!connected("runOpbrmsd:", {"referenceFile", "testFile", "chooseFirstonly", "obrmsResult"}))
    return;
  auto report =
      runTool({.program = "obrms",
               .inputs = {{"reference", referenceFile->text()}, {"test", testFile->text()}},
               .printsCommand = false,
               .showsErrors = true},
              [&](const std::string& head) {
                chooseFirst = chooseFirstonly->isOn() ? kFirstOnlyPiece : "";
                return obrmsCommand(head, chooseFirst, referenceFile->text(), testFile->text());
              });
  if (!report) return;
  obshellResult = *report;
  obrmsResult->setText(obshellResult);
}

}  // namespace molbench
