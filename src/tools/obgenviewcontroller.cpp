#include "tools/obgenviewcontroller.h"

#include "common/PopupHelpers.h"
#include "common/ShellQuote.h"
#include "tools/obgenTables.h"

namespace molbench {

namespace {
using P = obgenviewcontroller;

std::string speedWord(const std::string& title) {
  return shellWord(title.rfind("--", 0) == 0 ? title.substr(2) : title);
}
}  // namespace

std::string obgenCommand(const ObgenPieces& p) {
  return p.obabelPath + " " + p.iFileType + " " + quotedPath(p.inputPath) + " -O " +
         quotedPath(p.outputPath) + " --gen3D " + speedWord(p.speedTitle);
}

obgenviewcontroller::obgenviewcontroller(platform::Platform& platform)
    : ToolPane(platform), iFileTypes(kToolInputFormats), performanceRate(kPerformanceRate) {}

const platform::Bindings<obgenviewcontroller>& obgenviewcontroller::bindings() {
  static const auto table = platform::Bindings<P>()
                                .outlet("inputFilepath", &P::inputFilepath)
                                .outlet("inputFiletype", &P::inputFiletype)
                                .outlet("outputFilepath", &P::outputFilepath)
                                .outlet("performance", &P::performance)
                                .action("inputFileSelect:", &P::inputFileSelect)
                                .action("outputFileSelect:", &P::outputFileSelect)
                                .action("runObgen:", &P::runObgen);
  return table;
}

void obgenviewcontroller::viewDidLoad() {
  if (!connected("viewDidLoad", {"inputFiletype", "performance"})) return;
  fillPopup(*inputFiletype.get(), iFileTypes, 0);
  fillPopup(*performance.get(), performanceRate, kPerformancePreselected);
}

void obgenviewcontroller::inputFileSelect(platform::Control*) { selectInput(kObgenFiles); }

void obgenviewcontroller::outputFileSelect(platform::Control*) { selectOutput(kObgenFiles); }

void obgenviewcontroller::runObgen(platform::Control*) {
  if (!connected("runObgen:", {"inputFilepath", "inputFiletype", "outputFilepath", "performance"}))
    return;
  std::string input = inputFilepath->text();
  std::string output = outputFilepath->text();
  std::string speed = performance->titleOfSelectedItem();
  FormatSource format = takeInputFormat();
  runTool({.inputs = {{"input", input, format}},
           .output = output,
           .makesCoordinates = true,
           .readsBackCoordinates = speed == "--fastest" || speed == "--fast"},
          [&](const std::string& head) {
            return obgenCommand({head, iFileType, input, output, speed});
          });
}

}  // namespace molbench
