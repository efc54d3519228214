#include "tools/obprobeviewcontroller.h"

#include "common/PopupHelpers.h"
#include "common/Refusal.h"
#include "common/ShellQuote.h"
#include "tools/ProbeValues.h"
#include "tools/obprobeTables.h"

namespace molbench {

namespace {
using P = obprobeviewcontroller;
}  // namespace

std::string probeStepsOption(const std::string& steps) {
  return steps.empty() ? "" : " -s " + shellWord(steps);
}

std::string probePaddingOption(const std::string& padding) {
  return padding.empty() ? "" : " -p " + shellWord(padding);
}

std::string obprobeCommand(const ObprobePieces& p) {
  return p.program + p.stepsOption + p.paddingOption + " " + optionValue(p.atomType) + " " +
         optionValue(p.partialCharge) + " " + quotedPath(p.inputPath);
}

obprobeviewcontroller::obprobeviewcontroller(platform::Platform& platform)
    : ToolPane(platform), iFileTypes(kToolInputFormatsNoSmiles), MMFFatypes(kMmffAtomTypes) {}

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

void obprobeviewcontroller::viewDidLoad() {
  if (!connected("viewDidLoad", {"inputFiletype", "mmffAtomtypes"})) return;
  fillPopup(*inputFiletype.get(), iFileTypes, 0);
  fillPopup(*mmffAtomtypes.get(), MMFFatypes, 0);
}

void obprobeviewcontroller::inputFileSelect(platform::Control*) {
  if (!connected("inputFileSelect:", {"inputFilepath"})) return;
  choosePath(kChooseInputTitle, kStructureExtensions, inputFilepath);
}

void obprobeviewcontroller::runObprobe(platform::Control*) {
  if (!connected("runObprobe:", {"inputFilepath", "steps", "padding", "atomType", "partialCharge"}))
    return;
  runTool({.program = "obprobe",
           .inputs = {{"input", inputFilepath->text()}},
           .needsCoordinates = true},
          [&](const std::string& head) -> std::optional<std::string> {
            if (!probeAccepted()) return std::nullopt;
            thepaddingOption = probePaddingOption(padding->text());
            theStepsOption = probeStepsOption(steps->text());
            return obprobeCommand({head, theStepsOption, thepaddingOption, atomType->text(),
                                   partialCharge->text(), inputFilepath->text()});
          });
}

bool obprobeviewcontroller::probeAccepted() {
  std::string type = atomType->text(), charge = partialCharge->text();
  return acceptedUnless(platform(), probeTypeProblem(type), kProbeValueTitle) &&
         acceptedUnless(platform(), probeChargeProblem(charge), kProbeValueTitle) &&
         acceptedUnless(platform(),
                        probeGridProblem(probeGridPath(inputFilepath->text(), type, charge)),
                        kProbeGridTitle);
}

void obprobeviewcontroller::linkToMMFF(platform::Control*) {
  platform().openURL(kMmffDocumentAddress);
}

}  // namespace molbench
