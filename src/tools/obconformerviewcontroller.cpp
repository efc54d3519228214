#include "tools/obconformerviewcontroller.h"

#include <algorithm>

#include "common/PopupHelpers.h"
#include "common/ShellQuote.h"
#include "tools/FlatMolecules.h"
#include "tools/obconformerTables.h"

namespace molbench {

namespace {
using P = obconformerviewcontroller;

std::string geneticAlgorithmOptions(const ObconformerPieces& p) {
  std::string options =
      " --children " + optionValue(p.children) + " --mutability " + optionValue(p.mutability);
  if (!p.convergence.empty()) options += " --convergence " + optionValue(p.convergence);
  return options + " --score " + optionValue(p.score);
}
}  // namespace

bool isSearchMethod(const std::string& methodTitle) {
  return methodTitle != kConfMethods[0] &&
         std::find(kConfMethods.begin(), kConfMethods.end(), methodTitle) != kConfMethods.end();
}

std::string obconformerCommand(const ObconformerPieces& p) {
  std::string command =
      threeDMoleculesReading(p.obabelPath, p.iFileType, p.inputPath, p.makeCoordinates);
  command +=
      " -O " + quotedPath(p.outputPath) + " --conformer " + " --nconf " + optionValue(p.conformers);
  if (!isSearchMethod(p.method)) return command + geneticAlgorithmOptions(p);
  return command + " " + p.method + " --ff " + optionValue(p.forceField);
}

obconformerviewcontroller::obconformerviewcontroller(platform::Platform& platform)
    : ToolPane(platform),
      numConfs(kConformerCount),
      numChildren(kGaChildren),
      numMutability(kGaMutability),
      numConvergence(kGaConvergence),
      iFileTypes(kToolInputFormats),
      confMethod(kConfMethods),
      forcefield(kForceFields),
      oascoringfunction(kScoringFunctions) {}

const platform::Bindings<obconformerviewcontroller>& obconformerviewcontroller::bindings() {
  static const auto table = platform::Bindings<P>()
                                .outlet("inputFilepath", &P::inputFilepath)
                                .outlet("inputFiletype", &P::inputFiletype)
                                .outlet("outputFilepath", &P::outputFilepath)
                                .outlet("numConformations", &P::numConformations)
                                .outlet("confGenMethod", &P::confGenMethod)
                                .outlet("forceField", &P::forceField)
                                .outlet("gachildren", &P::gachildren)
                                .outlet("gaconvergence", &P::gaconvergence)
                                .outlet("gamutability", &P::gamutability)
                                .outlet("oaScore", &P::oaScore)
                                .action("inputFileSelect:", &P::inputFileSelect)
                                .action("outputFileSelect:", &P::outputFileSelect)
                                .action("cinfGenchosen:", &P::cinfGenchosen, {"confGenMethod"})
                                .action("runObconformer:", &P::runObconformer);
  return table;
}

void obconformerviewcontroller::viewDidLoad() {
  if (!connected("viewDidLoad", {"inputFiletype", "confGenMethod", "oaScore", "numConformations",
                                 "gachildren", "gamutability", "gaconvergence"}))
    return;
  fillPopup(*inputFiletype.get(), iFileTypes, 0);
  fillPopup(*confGenMethod.get(), confMethod, 0);
  fillPopup(*oaScore.get(), oascoringfunction, 0);
  numConformations->setText(numConfs);
  gachildren->setText(numChildren);
  gamutability->setText(numMutability);
  gaconvergence->setText(numConvergence);
}

void obconformerviewcontroller::inputFileSelect(platform::Control*) {
  selectInput(kObconformerFiles);
}

void obconformerviewcontroller::outputFileSelect(platform::Control*) {
  selectOutput(kObconformerFiles);
}

void obconformerviewcontroller::cinfGenchosen(platform::Control* sender) {
  if (!connected("cinfGenchosen:", {"forceField"})) return;
  auto title = selectedTitle(sender);
  if (!title || std::find(confMethod.begin(), confMethod.end(), *title) == confMethod.end()) return;
  gamethod = !isSearchMethod(*title);
  if (gamethod) {
    forceField->removeAllItems();
  } else {
    fillPopup(*forceField.get(), forcefield, 0);
  }
}

void obconformerviewcontroller::runObconformer(platform::Control*) {
  if (!connected("runObconformer:", {"inputFilepath", "inputFiletype", "outputFilepath",
                                     "numConformations", "confGenMethod", "forceField",
                                     "gachildren", "gamutability", "gaconvergence", "oaScore"}))
    return;
  std::string input = inputFilepath->text();
  std::string output = outputFilepath->text();
  FormatSource format = takeInputFormat();
  runTool({.inputs = {{"input", input, format}},
           .output = output,
           .usesForceField = true,
           .makesCoordinates = true},
          [&](const std::string& head) -> std::optional<std::string> {
            // Read after the guards: the input is a readable file by now.
            auto coordinates = acceptedCoordinatesToMake(platform(), head, iFileType, input);
            if (!coordinates) return std::nullopt;
            return obconformerCommand({
                .obabelPath = head,
                .iFileType = iFileType,
                .inputPath = input,
                .outputPath = output,
                .conformers = numConformations->text(),
                .method = confGenMethod->titleOfSelectedItem(),
                .forceField = forceField->titleOfSelectedItem(),
                .children = gachildren->text(),
                .mutability = gamutability->text(),
                .convergence = gaconvergence->text(),
                .score = oaScore->titleOfSelectedItem(),
                .makeCoordinates = *coordinates,
            });
          });
}

}  // namespace molbench
