#include "tools/obconfabviewcontroller.h"

#include "common/PopupHelpers.h"
#include "common/ShellQuote.h"
#include "tools/FlatMolecules.h"
#include "tools/obconfabTables.h"

namespace molbench {

namespace {
using P = obconfabviewcontroller;
}  // namespace

std::string obconfabCommand(const ObconfabPieces& p) {
  // In the single run of a 3D input --gen3D comes after Confab and changes nothing; the command
  // stays as it always was.
  std::string confab = p.makeCoordinates.any ? " --confab" : " --gen3D --confab";
  return threeDMoleculesReading(p.obabelPath, p.iFileType, p.inputPath, p.makeCoordinates) +
         " -O " + quotedPath(p.outputPath) + confab + " --conf " + optionValue(p.conformers) +
         " --rcutoff " + optionValue(p.rmsdCutoff) + " --ecutoff " + optionValue(p.energyCutoff) +
         " " + p.includeInputStructure;
}

obconfabviewcontroller::obconfabviewcontroller(platform::Platform& platform)
    : ToolPane(platform),
      numConfs(kConfabConformers),
      rCuttoff(kConfabRmsdCutoff),
      eCutoff(kConfabEnergyCutoff),
      iFileTypes(kToolInputFormats) {}

const platform::Bindings<obconfabviewcontroller>& obconfabviewcontroller::bindings() {
  static const auto table = platform::Bindings<P>()
                                .outlet("inputFilepath", &P::inputFilepath)
                                .outlet("inputFiletype", &P::inputFiletype)
                                .outlet("outputFilepath", &P::outputFilepath)
                                .outlet("rcutoff", &P::rcutoff)
                                .outlet("ecutoff", &P::ecutoff)
                                .outlet("numconfs", &P::numconfs)
                                .outlet("incInputstructure", &P::incInputstructure)
                                .action("inputFileSelect:", &P::inputFileSelect)
                                .action("outputFileSelect:", &P::outputFileSelect)
                                .action("runobConfab:", &P::runobConfab);
  return table;
}

void obconfabviewcontroller::viewDidLoad() {
  if (!connected("viewDidLoad", {"inputFiletype", "rcutoff", "ecutoff", "numconfs"})) return;
  fillPopup(*inputFiletype.get(), iFileTypes, 0);
  rcutoff->setText(rCuttoff);
  ecutoff->setText(eCutoff);
  numconfs->setText(numConfs);
}

void obconfabviewcontroller::inputFileSelect(platform::Control*) { selectInput(kObconfabFiles); }

void obconfabviewcontroller::outputFileSelect(platform::Control*) { selectOutput(kObconfabFiles); }

void obconfabviewcontroller::runobConfab(platform::Control*) {
  if (!connected("runobConfab:", {"inputFilepath", "inputFiletype", "outputFilepath", "rcutoff",
                                  "ecutoff", "numconfs", "incInputstructure"}))
    return;
  std::string input = inputFilepath->text();
  std::string output = outputFilepath->text();
  includeInputStructure = incInputstructure->isOn() ? kConfabOriginal : "";
  FormatSource format = takeInputFormat();
  runTool(
      {.inputs = {{"input", input, format}},
       .output = output,
       .usesForceField = true,
       .makesCoordinates = true},
      [&](const std::string& head) -> std::optional<std::string> {
        // Read after the guards: the input is a readable file by now.
        auto coordinates = acceptedCoordinatesToMake(platform(), head, iFileType, input);
        if (!coordinates) return std::nullopt;
        return obconfabCommand({head, iFileType, input, output, numconfs->text(), rcutoff->text(),
                                ecutoff->text(), includeInputStructure, *coordinates});
      });
}

}  // namespace molbench
