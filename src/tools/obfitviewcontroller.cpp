#include "tools/obfitviewcontroller.h"

#include "common/ChooseFile.h"
#include "common/OutputGuard.h"
#include "common/PopupHelpers.h"
#include "common/Shell.h"
#include "tools/FitCommand.h"
#include "tools/ProbeTables.h"

namespace molbench {

namespace {
using P = obfitviewcontroller;
}  // namespace

obfitviewcontroller::obfitviewcontroller(platform::Platform& platform)
    : BoundViewController(platform), iFileTypes(toolInputFileTypes()) {}

const platform::Bindings<obfitviewcontroller>& obfitviewcontroller::bindings() {
  static const auto table = platform::Bindings<P>()
                                .outlet("inputFilepath", &P::inputFilepath)
                                .outlet("inputFiletype", &P::inputFiletype)
                                .outlet("outputFilepath", &P::outputFilepath)
                                .outlet("templateFilePath", &P::templateFilePath)
                                .outlet("smartsString", &P::smartsString)
                                .outlet("includeRMSD", &P::includeRMSD)
                                .action("inputFileSelect:", &P::inputFileSelect)
                                .action("outputFileSelect:", &P::outputFileSelect)
                                .action("templateFileSelect:", &P::templateFileSelect)
                                .action("runObfit:", &P::runObfit);
  return table;
}

std::optional<std::string> obfitviewcontroller::shell(const std::string& command) {
  return molbench::shell(command);
}

void obfitviewcontroller::viewDidLoad() {
  if (!outletsConnected("viewDidLoad", {"inputFiletype"})) return;
  fillPopup(*inputFiletype.get(), iFileTypes, 0);
}

void obfitviewcontroller::inputFileSelect(platform::Control*) {
  if (!outletsConnected("inputFileSelect:", {"inputFilepath", "outputFilepath"})) return;
  auto chosen = chooseFile(platform(), kChooseInputTitle,
                           std::vector<std::string>{"mol", "mol2", "sd", "sdf", "smi", "smiles"});
  if (!chosen) return;
  inputFilepath.get()->setText(chosen->path());
  outputFilepath.get()->setText(folderPreset(*chosen, "/obfit.sdf"));
}

void obfitviewcontroller::outputFileSelect(platform::Control*) {
  if (!outletsConnected("outputFileSelect:", {"outputFilepath"})) return;
  auto chosen = chooseFile(platform(), kChooseOutputTitle);
  if (chosen) outputFilepath.get()->setText(chosen->path());
}

void obfitviewcontroller::templateFileSelect(platform::Control*) {
  if (!outletsConnected("templateFileSelect:", {"templateFilePath"})) return;
  auto chosen = chooseFile(platform(), kChooseTemplateTitle);
  if (chosen) templateFilePath.get()->setText(chosen->path());
}

void obfitviewcontroller::runObfit(platform::Control*) {
  if (!outletsConnected("runObfit:", {"inputFilepath", "outputFilepath", "templateFilePath",
                                      "smartsString", "includeRMSD"}))
    return;
  obabelPath = lookUpObabelPath(platform());
  FitPieces pieces{.obabelPath = obabelPath,
                   .templatePath = templateFilePath.get()->text(),
                   .iFileType = iFileType,
                   .inputPath = inputFilepath.get()->text(),
                   .outputPath = outputFilepath.get()->text(),
                   .smarts = smartsString.get()->text(),
                   .incRMSD = ""};
  incRMSD = appendRmsdPiece(includeRMSD.get()->isOn());
  pieces.incRMSD = incRMSD;
  if (!outputPathAccepted(platform(), pieces.outputPath, {pieces.inputPath, pieces.templatePath}))
    return;
  runComposedCommand(platform(), obshellCommand, fitCommand(pieces));
}

}  // namespace molbench
