#include "tools/obrotateviewcontroller.h"

#include "common/PopupHelpers.h"
#include "common/ShellQuote.h"
#include "tools/obrotateTables.h"

namespace molbench {

namespace {
using P = obrotateviewcontroller;
}  // namespace

std::string obrotateCommand(const ObrotatePieces& p) {
  return p.program + " " + quotedPath(p.smarts) + " " + p.iFileType + " " +
         quotedPath(p.inputPath) + " " + shellWords(p.atoms) + " " + shellWord(p.angle) + " > " +
         quotedPath(p.outputPath);
}

obrotateviewcontroller::obrotateviewcontroller(platform::Platform& platform)
    : ToolPane(platform), iFileTypes(kToolInputFormats) {}

const platform::Bindings<obrotateviewcontroller>& obrotateviewcontroller::bindings() {
  static const auto table = platform::Bindings<P>()
                                .outlet("inputFilepath", &P::inputFilepath)
                                .outlet("inputFiletype", &P::inputFiletype)
                                .outlet("outputFilepath", &P::outputFilepath)
                                .outlet("atomsDihedral", &P::atomsDihedral)
                                .outlet("angleDihedral", &P::angleDihedral)
                                .outlet("smartsDihedral", &P::smartsDihedral)
                                .action("inputFileSelect:", &P::inputFileSelect)
                                .action("outputFileSelect:", &P::outputFileSelect)
                                .action("runObroate:", &P::runObroate);
  return table;
}

void obrotateviewcontroller::viewDidLoad() {
  if (!connected("viewDidLoad", {"inputFiletype"})) return;
  fillPopup(*inputFiletype.get(), iFileTypes, 0);
}

void obrotateviewcontroller::inputFileSelect(platform::Control*) { selectInput(kObrotateFiles); }

void obrotateviewcontroller::outputFileSelect(platform::Control*) { selectOutput(kObrotateFiles); }

void obrotateviewcontroller::runObroate(platform::Control*) {
  if (!connected("runObroate:", {"inputFilepath", "outputFilepath", "atomsDihedral",
                                 "angleDihedral", "smartsDihedral"}))
    return;
  std::string input = inputFilepath->text();
  std::string output = outputFilepath->text();
  runTool({.program = "obrotate",
           .inputs = {{"input", input}},
           .output = output,
           .outputInInputFormat = kObrotateFiles.outputInInputFormat},
          [&](const std::string& program) {
            return obrotateCommand({program, smartsDihedral->text(), iFileType, input,
                                    atomsDihedral->text(), angleDihedral->text(), output});
          });
}

}  // namespace molbench
