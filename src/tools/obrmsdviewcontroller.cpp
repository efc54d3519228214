#include "tools/obrmsdviewcontroller.h"

#include "common/ChooseFile.h"
#include "common/Shell.h"
#include "tools/PendingToolPath.h"
#include "tools/RmsdCommand.h"

namespace molbench {

namespace {
using P = obrmsdviewcontroller;
}  // namespace

obrmsdviewcontroller::obrmsdviewcontroller(platform::Platform& platform)
    : BoundViewController(platform) {}

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

std::optional<std::string> obrmsdviewcontroller::shell(const std::string& command) {
  return molbench::shell(command);
}

void obrmsdviewcontroller::inputReferenceFile(platform::Control*) {
  if (!outletsConnected("inputReferenceFile:", {"referenceFile"})) return;
  auto chosen = chooseFile(platform(), kChooseReferenceTitle);
  if (chosen) referenceFile.get()->setText(chosen->path());
}

void obrmsdviewcontroller::inputTestfFile(platform::Control*) {
  if (!outletsConnected("inputTestfFile:", {"testFile"})) return;
  auto chosen = chooseFile(platform(), kChooseTestTitle);
  if (chosen) testFile.get()->setText(chosen->path());
}

void obrmsdviewcontroller::runOpbrmsd(platform::Control*) {
  if (!outletsConnected("runOpbrmsd:",
                        {"referenceFile", "testFile", "chooseFirstonly", "obrmsResult"}))
    return;
  obabelPath = lookUpObabelPath(platform());
  auto program = obtoolPath(obabelPath, "obrms");
  if (!program) return;
  chooseFirst = firstOnlyPiece(chooseFirstonly.get()->isOn());
  obshellCommand =
      rmsdCommand(*program, chooseFirst, referenceFile.get()->text(), testFile.get()->text());
  auto output = shell(obshellCommand);
  if (!output) return;
  obshellResult = *output;
  obrmsResult.get()->setText(obshellResult);
}

}  // namespace molbench
