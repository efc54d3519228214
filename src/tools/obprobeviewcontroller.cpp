#include "tools/obprobeviewcontroller.h"

#include "common/ChooseFile.h"
#include "common/PopupHelpers.h"
#include "common/Shell.h"
#include "tools/PendingToolPath.h"
#include "tools/ProbeCommand.h"
#include "tools/ProbeTables.h"

namespace molbench {

namespace {
using P = obprobeviewcontroller;
}  // namespace

obprobeviewcontroller::obprobeviewcontroller(platform::Platform& platform)
    : BoundViewController(platform),
      iFileTypes(probeInputFileTypes()),
      MMFFatypes(mmffAtomTypeRows()) {}

const platform::Bindings<obprobeviewcontroller>& obprobeviewcontroller::bindings() {
  static const auto table = platform::Bindings<P>()
                                .outlet("inputFilepath", &P::inputFilepath)
                                .outlet("inputFiletype", &P::inputFiletype)
                                .outlet("mmffAtomtypes", &P::mmffAtomtypes)
                                .outlet("steps", &P::steps)
                                .outlet("padding", &P::padding)
                                .outlet("atomType", &P::atomType)
                                .outlet("partialCharge", &P::partialCharge)
                                .action("inputFileSelect:", &P::inputFileSelect)
                                .action("runObprobe:", &P::runObprobe)
                                .action("linkToMMFF:", &P::linkToMMFF);
  return table;
}

std::optional<std::string> obprobeviewcontroller::shell(const std::string& command) {
  return molbench::shell(command);
}

void obprobeviewcontroller::viewDidLoad() {
  if (!outletsConnected("viewDidLoad", {"inputFiletype", "mmffAtomtypes"})) return;
  fillPopup(*inputFiletype.get(), iFileTypes, 0);
  fillPopup(*mmffAtomtypes.get(), MMFFatypes, 0);
}

void obprobeviewcontroller::inputFileSelect(platform::Control*) {
  if (!outletsConnected("inputFileSelect:", {"inputFilepath"})) return;
  auto chosen = chooseFile(platform(), kChooseInputTitle,
                           std::vector<std::string>{"mol", "mol2", "sd", "sdf", "smi", "smiles"});
  if (chosen) inputFilepath.get()->setText(chosen->path());
}

void obprobeviewcontroller::runObprobe(platform::Control*) {
  if (!outletsConnected("runObprobe:",
                        {"inputFilepath", "steps", "padding", "atomType", "partialCharge"}))
    return;
  obabelPath = lookUpObabelPath(platform());
  auto program = obtoolPath(obabelPath, "obprobe");
  if (!program) return;
  thepaddingOption = probePaddingOption(padding.get()->text());
  theStepsOption = probeStepsOption(steps.get()->text());
  runComposedCommand(
      platform(), obshellCommand,
      probeCommand(*program, theStepsOption, thepaddingOption, atomType.get()->text(),
                   partialCharge.get()->text(), inputFilepath.get()->text()));
}

void obprobeviewcontroller::linkToMMFF(platform::Control*) {
  platform().openURL(kMmffDocumentAddress);
}

}  // namespace molbench
