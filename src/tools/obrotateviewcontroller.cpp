#include "tools/obrotateviewcontroller.h"

#include "common/PopupHelpers.h"
#include "common/ShellQuote.h"
#include "common/SmartsCheck.h"
#include "tools/FlatMolecules.h"
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
  auto rotated =
      runTool({.program = "obrotate",
               .inputs = {{"input", input}},
               .output = output,
               .needsCoordinates = true,
               .withoutCoordinates = "obrotate would write it back unrotated, with no word",
               .outputInInputFormat = kObrotateFiles.outputInInputFormat},
              [&](const std::string& program) -> std::optional<std::string> {
                // The shell empties the output before obrotate finds the pattern unreadable.
                if (!smartsFilterAccepted(platform(), obabelPath, kSmartsMatching,
                                          smartsDihedral->text(), SmartsUse::filterOrNone))
                  return std::nullopt;
                return obrotateCommand({program, smartsDihedral->text(), iFileType, input,
                                        atomsDihedral->text(), angleDihedral->text(), output});
              });
  if (rotated) sayNumberlessCoordinates(output);
}

// obrotate turns by an angle too large to be a number (1e400), or by none ("nan"), into
// coordinates that are no numbers, and says nothing.
void obrotateviewcontroller::sayNumberlessCoordinates(const std::string& output) {
  auto count = moleculesWrittenWithoutNumbers(programWord(obabelPath), output);
  if (count.numberless == 0) return;
  platform::AlertRequest alert;
  alert.messageText = "obrotate wrote coordinates that are no numbers";
  alert.informativeText =
      "It wrote " + std::to_string(count.numberless) + " of the " +
      std::to_string(count.molecules) + " molecules in \"" + output +
      "\" with coordinates that are no numbers (\"nan\"): what was written for them is of no "
      "use. An angle too large to be a number (such as 1e400), or one that is none, gives "
      "them: type the angle in degrees.";
  alert.buttons = {"OK"};
  platform().runAlert(alert);
}

}  // namespace molbench
