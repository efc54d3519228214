#include "tools/obfitviewcontroller.h"

#include "common/PopupHelpers.h"
#include "common/ShellQuote.h"
#include "common/SmartsCheck.h"
#include "tools/obfitTables.h"

namespace molbench {

namespace {
using P = obfitviewcontroller;
}  // namespace

std::string obfitCommand(const ObfitPieces& p) {
  std::string templatePiece = p.templatePath.empty() ? "" : shellWord(p.templatePath) + " ";
  return p.obabelPath + " " + templatePiece + p.iFileType + " " + quotedPath(p.inputPath) + " -O " +
         quotedPath(p.outputPath) + " -s  " + optionValue(p.smarts) + " --align " + p.incRMSD;
}

obfitviewcontroller::obfitviewcontroller(platform::Platform& platform)
    : ToolPane(platform), iFileTypes(kToolInputFormats) {}

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

void obfitviewcontroller::viewDidLoad() {
  if (connected("viewDidLoad", {"inputFiletype"})) fillPopup(*inputFiletype.get(), iFileTypes, 0);
}

void obfitviewcontroller::inputFileSelect(platform::Control*) { selectInput(kObfitFiles); }

void obfitviewcontroller::outputFileSelect(platform::Control*) { selectOutput(kObfitFiles); }

void obfitviewcontroller::templateFileSelect(platform::Control*) {
  if (connected("templateFileSelect:", {"templateFilePath"}))
    choosePath(kChooseTemplateTitle, std::nullopt, templateFilePath);
}

void obfitviewcontroller::runObfit(platform::Control*) {
  if (!connected("runObfit:", {"inputFilepath", "inputFiletype", "outputFilepath",
                               "templateFilePath", "smartsString", "includeRMSD"}))
    return;
  std::string input = inputFilepath->text();
  std::string output = outputFilepath->text();
  std::string templatePath = templateFilePath->text();
  // obabel's -i would apply to the template as well, which would then be misread: the popup
  // takes no part, and obabel learns both formats from the names.
  iFileType.clear();
  runTool({.inputs = {{"input", input}, {"template", templatePath}},
           .output = output,
           .fitsOntoTemplate = true},
          [&](const std::string& head) -> std::optional<std::string> {
            // obabel empties the output before it finds the pattern unreadable.
            if (!smartsFilterAccepted(platform(), obabelPath, kSmartsMatching, smartsString->text(),
                                      SmartsUse::filterOrNone))
              return std::nullopt;
            incRMSD = includeRMSD->isOn() ? kAppendRmsdPiece : "";
            return obfitCommand(
                {head, templatePath, iFileType, input, output, smartsString->text(), incRMSD});
          });
}

}  // namespace molbench
