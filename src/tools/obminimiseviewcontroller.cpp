#include "tools/obminimiseviewcontroller.h"

#include "common/PopupHelpers.h"
#include "common/ShellQuote.h"
#include "tools/obminimiseTables.h"

namespace molbench {

namespace {
using P = obminimiseviewcontroller;
}  // namespace

std::string obminimiseCommand(const ObminimisePieces& p) {
  return p.head + " " + p.iFileType + " " + quotedPath(p.inputPath) + " -O " +
         quotedPath(p.outputPath) + " --minimize " + " --steps " + optionValue(p.steps) + " " +
         shellWord(p.algorithmTitle) + " --ff " + optionValue(p.forceFieldTitle) + " --crit " +
         optionValue(p.convergence) + " --rvdw " + optionValue(p.vdwCutoff) + " --rele " +
         optionValue(p.electrostaticCutoff) + " --freq " + optionValue(p.nonBondedUpdateFrequency);
}

obminimiseviewcontroller::obminimiseviewcontroller(platform::Platform& platform)
    : ToolPane(platform),
      iFileTypes(kToolInputFormats),
      forcefield(kForceFields),
      Algorithm(kMinimiseAlgorithms) {}

const platform::Bindings<obminimiseviewcontroller>& obminimiseviewcontroller::bindings() {
  static const auto table = platform::Bindings<P>()
                                .outlet("inputFilepath", &P::inputFilepath)
                                .outlet("inputFiletype", &P::inputFiletype)
                                .outlet("outputFilepath", &P::outputFilepath)
                                .outlet("forceField", &P::forceField)
                                .outlet("algorithm", &P::algorithm)
                                .outlet("steps", &P::steps)
                                .outlet("convergence", &P::convergence)
                                .outlet("vdwCutoff", &P::vdwCutoff)
                                .outlet("electrostaticCutoff", &P::electrostaticCutoff)
                                .outlet("nonBondedupdatefreq", &P::nonBondedupdatefreq)
                                .action("inputFileSelect:", &P::inputFileSelect)
                                .action("outputFileSelect:", &P::outputFileSelect)
                                .action("runObminimise:", &P::runObminimise);
  return table;
}

void obminimiseviewcontroller::viewDidLoad() {
  if (!connected("viewDidLoad", {"inputFiletype", "forceField", "algorithm", "steps", "convergence",
                                 "vdwCutoff", "electrostaticCutoff", "nonBondedupdatefreq"}))
    return;
  fillPopup(*inputFiletype.get(), iFileTypes, 0);
  fillPopup(*forceField.get(), forcefield, kMinimiseForceFieldPreselected);
  fillPopup(*algorithm.get(), Algorithm, 0);
  steps->setText(numSteps);
  convergence->setText(convergenceCriterion);
  vdwCutoff->setText(vdwcutoff);
  electrostaticCutoff->setText(electrostaticcutoff);
  nonBondedupdatefreq->setText(nonbondedupdatefreq);
}

void obminimiseviewcontroller::inputFileSelect(platform::Control*) {
  selectInput(kObminimiseFiles);
}

void obminimiseviewcontroller::outputFileSelect(platform::Control*) {
  selectOutput(kObminimiseFiles);
}

void obminimiseviewcontroller::runObminimise(platform::Control*) {
  if (!connected("runObminimise:", {"inputFilepath", "inputFiletype", "outputFilepath",
                                    "forceField", "algorithm", "steps", "convergence", "vdwCutoff",
                                    "electrostaticCutoff", "nonBondedupdatefreq"}))
    return;
  FormatSource format = takeInputFormat();
  ObminimisePieces pieces{
      .iFileType = iFileType,
      .inputPath = inputFilepath->text(),
      .outputPath = outputFilepath->text(),
      .steps = steps->text(),
      .algorithmTitle = algorithm->titleOfSelectedItem(),
      .forceFieldTitle = forceField->titleOfSelectedItem(),
      .convergence = convergence->text(),
      .vdwCutoff = vdwCutoff->text(),
      .electrostaticCutoff = electrostaticCutoff->text(),
      .nonBondedUpdateFrequency = nonBondedupdatefreq->text(),
  };
  runTool({.inputs = {{"input", pieces.inputPath, format}},
           .output = pieces.outputPath,
           .needsCoordinates = true,
           .usesForceField = true},
          [&](const std::string& head) {
            pieces.head = head;
            return obminimiseCommand(pieces);
          });
}

}  // namespace molbench
