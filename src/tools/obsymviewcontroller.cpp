#include "tools/obsymviewcontroller.h"

#include "common/ShellQuote.h"
#include "tools/obsymTables.h"

namespace molbench {

namespace {
using P = obsymviewcontroller;
}  // namespace

std::string obsymCommand(const std::string& head, const std::string& inputPath,
                         const std::string& outputPath) {
  return head + " " + quotedPath(inputPath) + " > " + quotedPath(outputPath);
}

obsymviewcontroller::obsymviewcontroller(platform::Platform& platform) : ToolPane(platform) {}

const platform::Bindings<obsymviewcontroller>& obsymviewcontroller::bindings() {
  static const auto table = platform::Bindings<P>()
                                .outlet("inputFilepath", &P::inputFilepath)
                                .outlet("outputFilepath", &P::outputFilepath)
                                .action("inputFileSelect:", &P::inputFileSelect)
                                .action("outputFileSelect:", &P::outputFileSelect)
                                .action("runObsym:", &P::runObsym);
  return table;
}

void obsymviewcontroller::inputFileSelect(platform::Control*) { selectInput(kObsymFiles); }

void obsymviewcontroller::outputFileSelect(platform::Control*) { selectOutput(kObsymFiles); }

void obsymviewcontroller::runObsym(platform::Control*) {
  if (!connected("runObsym:", {"inputFilepath", "outputFilepath"})) return;
  std::string input = inputFilepath->text();
  std::string output = outputFilepath->text();
  runTool({.program = "obsym", .inputs = {{"input", input}}, .output = output},
          [&](const std::string& head) { return obsymCommand(head, input, output); });
}

}  // namespace molbench
