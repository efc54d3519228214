#include "tools/obpropviewcontroller.h"

#include "common/PopupHelpers.h"
#include "common/ShellQuote.h"
#include "tools/obpropTables.h"

namespace molbench {

namespace {
using P = obpropviewcontroller;
}  // namespace

std::string obpropCommand(const std::string& head, const std::string& iFileType,
                          const std::string& inputPath, const std::string& outputPath) {
  return head + " " + iFileType + " " + quotedPath(inputPath) + " > " + quotedPath(outputPath);
}

obpropviewcontroller::obpropviewcontroller(platform::Platform& platform)
    : ToolPane(platform), iFileTypes(kToolInputFormats) {}

const platform::Bindings<obpropviewcontroller>& obpropviewcontroller::bindings() {
  static const auto table = platform::Bindings<P>()
                                .outlet("inputFilepath", &P::inputFilepath)
                                .outlet("inputFiletype", &P::inputFiletype)
                                .outlet("outputFilepath", &P::outputFilepath)
                                .action("inputFileSelect:", &P::inputFileSelect)
                                .action("outputFileSelect:", &P::outputFileSelect)
                                .action("runObprop:", &P::runObprop);
  return table;
}

void obpropviewcontroller::viewDidLoad() {
  if (!connected("viewDidLoad", {"inputFiletype"})) return;
  fillPopup(*inputFiletype.get(), iFileTypes, 0);
}

void obpropviewcontroller::inputFileSelect(platform::Control*) { selectInput(kObpropFiles); }

void obpropviewcontroller::outputFileSelect(platform::Control*) { selectOutput(kObpropFiles); }

void obpropviewcontroller::runObprop(platform::Control*) {
  if (!connected("runObprop:", {"inputFilepath", "outputFilepath"})) return;
  std::string input = inputFilepath->text();
  std::string output = outputFilepath->text();
  runTool({.program = "obprop", .inputs = {{"input", input}}, .output = output},
          [&](const std::string& head) { return obpropCommand(head, iFileType, input, output); });
}

}  // namespace molbench
