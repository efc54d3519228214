#include "tools/obtautomerviewcontroller.h"

#include "common/ShellQuote.h"
#include "tools/obtautomerTables.h"

namespace molbench {

namespace {
using P = obtautomerviewcontroller;
}  // namespace

std::string obtautomerCommand(const std::string& program, const std::string& inputPath,
                              const std::string& outputPath) {
  return program + " " + quotedPath(inputPath) + " > " + quotedPath(outputPath);
}

const platform::Bindings<obtautomerviewcontroller>& obtautomerviewcontroller::bindings() {
  static const auto table = platform::Bindings<P>()
                                .outlet("inputFilepath", &P::inputFilepath)
                                .outlet("outputFilepath", &P::outputFilepath)
                                .action("inputFileSelect:", &P::inputFileSelect)
                                .action("outputFileSelect:", &P::outputFileSelect)
                                .action("runObtautomer:", &P::runObtautomer);
  return table;
}

void obtautomerviewcontroller::inputFileSelect(platform::Control*) {
  selectInput(kObtautomerFiles);
}

void obtautomerviewcontroller::outputFileSelect(platform::Control*) {
  selectOutput(kObtautomerFiles);
}

void obtautomerviewcontroller::runObtautomer(platform::Control*) {
  if (!connected("runObtautomer:", {"inputFilepath", "outputFilepath"})) return;
  std::string input = inputFilepath->text();
  std::string output = outputFilepath->text();
  runTool({.program = "obtautomer", .inputs = {{"input", input}}, .output = output},
          [&](const std::string& program) { return obtautomerCommand(program, input, output); });
}

}  // namespace molbench
