#include "ToolPattern.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "common/ShellQuote.h"
#include "platform/SceneRegistry.h"

namespace molbench::testing {

std::string caseName(const ::testing::TestParamInfo<ToolPaneCase>& info) {
  return info.param.identifier;
}

namespace {
std::shared_ptr<platform::ViewController> madeAndLoaded(headless::Harness& h,
                                                        const std::string& identifier) {
  auto pane = platform::SceneRegistry::shared().instantiate(identifier, h);
  if (!pane) throw std::logic_error("no scene " + identifier);
  h.adopt(pane);
  pane->view();
  return pane;
}
}  // namespace

ToolPattern::ToolPattern()
    : panePointer(madeAndLoaded(h, GetParam().identifier)), pane(*panePointer) {
  h.defaults().set("pathToobabel", kObabel);
}

// In a folder whose name needs quoting, so every command's head word is proved to hold.
void ToolPattern::useStandIns(const std::string& program) {
  writeArgumentRecorder(scratch("o'bin/obabel"), scratch("arguments"));
  writeArgumentRecorder(scratch("o'bin/" + program), scratch("arguments"));
  h.defaults().set("pathToobabel", scratch("o'bin/obabel"));
}

std::string ToolPattern::resolved(const std::string& value) {
  if (value.rfind('@', 0) != 0) return value;
  std::string path = scratch(value.substr(1));
  if (!fileExists(path)) writeFile(path, readFile(testDataPath("small.sdf")));
  return path;
}

void ToolPattern::typeValues() {
  for (const auto& [field, value] : GetParam().typed) setText(field, resolved(value));
}

void ToolPattern::expectEachRefused(const FieldPaths& refused, const std::string& input,
                                    const std::string& output) {
  const auto& c = GetParam();
  for (const auto& [field, path] : refused) {
    typeValues();
    setText(c.inputField, input);
    if (!c.outputField.empty()) setText(c.outputField, output);
    setText(field, path);
    h.press(pane, c.run);
  }
  EXPECT_FALSE(standInRan());
  EXPECT_EQ(readFile(output), "kept");
  ASSERT_EQ(h.alerts().size(), refused.size());
}

bool hasThreeDCoordinates(const std::string& path) {
  // In xyz text each molecule is a count line, a title line and one line per atom.
  return runForOutput(
             "/usr/bin/obabel '" + path +
             "' -oxyz 2>/dev/null | awk 'left == 0 {atoms = $1; left = atoms + 1; n++; next}"
             " --left < atoms && $4 != 0 {off[n] = 1}"
             " END {for (i in off) k++; print (n > 0 && k == n)}'") == "1\n";
}

std::string threeDMolecule(const std::string& smiles, const std::string& path) {
  runForOutput("/usr/bin/obabel -:" + smiles + " -O '" + path + "' --gen3D 2>/dev/null");
  return path;
}

int moleculeCount(const std::string& path) { return obabelCount({path, "-onul"}); }

// Every pane that runs a program, with what sets it apart from the pattern.
const Extensions kSdf = std::vector<std::string>{"sd", "sdf"};
const Extensions kTxt = std::vector<std::string>{"txt"};
const Extensions kCif = std::vector<std::string>{"cif"};
const Extensions kSmiles = std::vector<std::string>{"smi", "smiles"};
const Extensions kStructures = kStructureExtensions;
// clang-format off
INSTANTIATE_TEST_SUITE_P(Tools, ToolPattern, ::testing::Values(
    ToolPaneCase{.identifier = "obgen", .run = "runObgen:", .defaultOutput = "/obgen3D.sdf",
                 .inputExtensions = kStructures},
    ToolPaneCase{.identifier = "obconfab", .run = "runobConfab:", .defaultOutput = "/obconfab.sdf",
                 .inputExtensions = kStructures, .outputExtensions = kSdf,
                 .typed = {{"numconfs", "-5 6"}, {"rcutoff", "$(touch pwned)"}, {"ecutoff", ""}},
                 .arguments = {"IN", "-O", "OUT", "--gen3D", "--confab", "--conf", "-5 6",
                               "--rcutoff", "$(touch pwned)", "--ecutoff", ""}},
    ToolPaneCase{.identifier = "obconformer", .run = "runObconformer:",
                 .defaultOutput = "/obconformer.sdf", .inputExtensions = kStructures,
                 .outputExtensions = kSdf,
                 .typed = {{"numConformations", ""}, {"gachildren", "-9 $(id)"}},
                 .arguments = {"IN", "-O", "OUT", "--conformer", "--nconf", "",
                               "--children", "-9 $(id)", "--mutability", "5", "--score", "rmsd"}},
    ToolPaneCase{.identifier = "obminimise", .run = "runObminimise:",
                 .defaultOutput = "/obminimise.sdf", .inputExtensions = kStructures,
                 .typed = {{"steps", ""}, {"vdwCutoff", "6 7"}, {"convergence", "-$(id)'"}},
                 .arguments = {"IN", "-O", "OUT", "--minimize", "--steps", "", "--cg", "--ff",
                               "MMFF94", "--crit", "-$(id)'", "--rvdw", "6 7", "--rele", "10.0",
                               "--freq", "10"}},
    ToolPaneCase{.identifier = "obenergy", .run = "saveEnergy:", .defaultOutput = "/obenergy.txt",
                 .inputExtensions = kStructures, .outputExtensions = kTxt, .printsCommand = false},
    // obabel's -i would apply to the template as well: the fit reads formats from names.
    ToolPaneCase{.identifier = "obfit", .run = "runObfit:", .defaultOutput = "/obfit.sdf",
                 .inputExtensions = kStructures, .formatChoiceReachesProgram = false,
                 .typed = {{"templateFilePath", "@my template.sdf"},
                           {"smartsString", "[$(C=O);!R&#6]"}},
                 .arguments = {"@my template.sdf", "IN", "-O", "OUT", "-s", "[$(C=O);!R&#6]",
                               "--align"}},
    ToolPaneCase{.identifier = "obprop", .run = "runObprop:", .program = "obprop",
                 .defaultOutput = "/obprop.txt", .inputExtensions = kStructures,
                 .outputExtensions = kTxt, .firstOfCompressed = true},
    ToolPaneCase{.identifier = "obrotate", .run = "runObroate:", .program = "obrotate",
                 .defaultOutput = "/obrotate.sdf", .inputExtensions = kStructures,
                 .typed = {{"smartsDihedral", "[C;!$(C=O)&!R]-C"},
                           {"atomsDihedral", " 1  2 3 $(touch pwned) "}, {"angleDihedral", "-60"}},
                 // The atoms are separate words on purpose.
                 .arguments = {"[C;!$(C=O)&!R]-C", "IN", "1", "2", "3", "$(touch", "pwned)",
                               "-60"},
                 .firstOfCompressed = true, .outputInInputFormat = true},
    ToolPaneCase{.identifier = "obsym", .run = "runObsym:", .program = "obsym",
                 .defaultOutput = "/obsym.cif", .inputExtensions = kCif, .outputExtensions = kCif,
                 .firstOfCompressed = true},
    ToolPaneCase{.identifier = "obtautomer", .run = "runObtautomer:", .program = "obtautomer",
                 .defaultOutput = "/obtautomer.smiles", .inputExtensions = kSmiles,
                 .outputExtensions = kSmiles, .firstOfCompressed = true},
    // The grid lands next to the input under a name obprobe picks: no output field.
    ToolPaneCase{.identifier = "obprobe", .run = "runObprobe:", .program = "obprobe",
                 .inputExtensions = kStructures, .outputField = "", .outputChooser = "",
                 .typed = {{"steps", ""}, {"padding", "-$(id)"}, {"atomType", "7"},
                           {"partialCharge", "-0.57"}},
                 .arguments = {"-p", "-$(id)", "7", "-0.57", "IN"}, .firstOfCompressed = true},
    // Any file may be the input (a quantum chemistry log); the report is shown, not saved.
    ToolPaneCase{.identifier = "obthermo", .run = "runObthermo:", .program = "obthermo",
                 .outputField = "", .inputChooser = "inputFilepath:", .outputChooser = "",
                 .typed = {{"symmetryNumber", ""}, {"numRotbonds", " "}, {"tempDeriv", "-$(id)"}},
                 .arguments = {"IN", "--nrot", " ", "--dbdt", "-$(id)"}},
    // obrms prints no command; its test file takes the place of the input.
    ToolPaneCase{.identifier = "obrms", .run = "runOpbrmsd:", .program = "obrms",
                 .printsCommand = false, .inputField = "testFile", .outputField = "",
                 .inputChooser = "inputTestfFile:", .outputChooser = "",
                 .inputTitle = "Choose test file",
                 .typed = {{"referenceFile", "@ref '1'.sdf"}}, .arguments = {"@ref '1'.sdf", "IN"}}),
    caseName);
// clang-format on

TEST_P(ToolPattern, ChoosersPresetTheOutputBesideTheInputAndCancelKeepsBoth) {
  const auto& c = GetParam();
  bool hasOutput = !c.outputField.empty();
  std::string input = "typed in", output = "typed out";
  setText(c.inputField, input);
  if (hasOutput) setText(c.outputField, output);
  auto expectFields = [&] {
    EXPECT_EQ(text(c.inputField), input);
    if (hasOutput) {
      EXPECT_EQ(text(c.outputField), output);
    }
  };
  // Names the panels let through: each ends in an extension the panel allows, and an existing
  // folder passes whatever the extensions.
  auto ending = [](const Extensions& allowed) {
    return "." + (allowed ? allowed->front() : "sdf");
  };
  const std::string other = "/data/other" + ending(c.outputExtensions);
  const std::string folder = scratch("set");
  std::filesystem::create_directories(folder);
  // Each answer (none: cancelled) with the folder of the preset output: a file in the root
  // folder gives "//", and a folder counts as an item, so the output lands in its parent.
  const std::pair<std::string, std::string> answers[] = {
      {"", ""},
      {"/data/set 1/in'" + ending(c.inputExtensions), "/data/set 1"},
      {"/in" + ending(c.inputExtensions), "/"},
      {folder, h.temporaryDirectory()}};
  for (const auto& [answer, outputFolder] : answers) {
    if (!answer.empty()) h.answerOpenPanel(input = answer);
    h.press(pane, c.inputChooser);
    if (!answer.empty() && hasOutput && !c.defaultOutput.empty())
      output = outputFolder + c.defaultOutput;
    // A folder's name gives no format, so the preset keeps its own extension.
    if (!answer.empty() && c.outputInInputFormat && answer != folder)
      output = output.substr(0, output.rfind('.')) + ending(c.inputExtensions);
    expectFields();
  }
  const auto& panels = h.openPanels();
  ASSERT_EQ(panels.size(), 4u);
  EXPECT_EQ(panels[0].title, c.inputTitle);
  EXPECT_EQ(panels[0].allowedFileTypes, c.inputExtensions);
  EXPECT_TRUE(panels[0].canChooseDirectories && panels[0].canCreateDirectories &&
              !panels[0].allowsMultipleSelection && !panels[0].showsHiddenFiles);
  if (c.outputChooser.empty()) return;

  h.press(pane, c.outputChooser);  // cancelled
  expectFields();
  h.answerOpenPanel(output = other);
  h.press(pane, c.outputChooser);
  expectFields();
  EXPECT_EQ(panels[4].title, "Choose output file");
  EXPECT_EQ(panels[4].allowedFileTypes, c.outputExtensions);
}

TEST_P(ToolPattern, RunPassesOddPathsAsSingleArgumentsAndPrintsItsCommand) {
  const auto& c = GetParam();
  useStandIns(c.program);
  std::string input = scratch("in 'a' $(touch pwned) -x.sdf");
  writeFile(input, readFile(testDataPath("small.sdf")));
  typeValues();
  setText(c.inputField, input);
  if (!c.outputField.empty()) setText(c.outputField, scratch("out \"b\" `x`.sdf"));
  h.press(pane, c.run);
  auto arguments = standInArguments();
  EXPECT_NE(std::find(arguments.begin(), arguments.end(), input), arguments.end());
  EXPECT_FALSE(fileExists(scratch("pwned")));
  EXPECT_EQ(h.diagnostics().size(), c.printsCommand ? 1u : 0u);
  // The stand-in writes no result: where the output file is the result, that is said.
  if (c.outputField.empty()) {
    EXPECT_TRUE(h.alerts().empty());
  } else {
    ASSERT_EQ(h.alerts().size(), 1u);
    EXPECT_EQ(h.alerts()[0].messageText, c.program + " wrote nothing");
  }
}

// obabel empties its output, reads nothing and exits 0 when a name gives it no format, and a
// sibling's "> FILE" is emptied before it fails: such an input runs nothing, unless the pane
// runs obabel itself and the format is chosen, which reaches obabel as "-i" before the input.
TEST_P(ToolPattern, AnInputWhoseNameGivesNoFormatRunsOnlyWithAChosenFormat) {
  const auto& c = GetParam();
  bool choosable = c.program == "obabel" && c.formatChoiceReachesProgram;
  useStandIns(c.program);
  std::string formatless = scratch("set.v2/mols"), output = scratch("out.sdf");
  writeFile(formatless, readFile(testDataPath("small.sdf")));
  writeFile(output, "kept");
  FieldPaths refused = {{c.inputField, formatless}};
  for (const auto& [field, value] : c.typed)
    if (value.rfind('@', 0) == 0) refused.emplace_back(field, formatless);
  ASSERT_NO_FATAL_FAILURE(expectEachRefused(refused, resolved("@in.sdf"), output));
  for (const auto& alert : h.alerts()) {
    EXPECT_EQ(alert.messageText,
              choosable ? "Choose the input's format or rename the file" : "Rename the input file");
    EXPECT_THAT(alert.informativeText,
                ::testing::StartsWith(c.program + " cannot tell the format of the "));
    EXPECT_THAT(alert.informativeText, ::testing::HasSubstr("\"" + formatless + "\""));
    EXPECT_THAT(alert.informativeText,
                ::testing::HasSubstr(choosable ? "input-format popup" : "rename"));
  }
  if (c.program != "obabel") return;
  typeValues();
  setText(c.inputField, formatless);
  h.choose(pane, "inputFiletype", "sdf -- MDL MOL format");
  h.press(pane, c.run);
  if (!choosable) {
    EXPECT_FALSE(standInRan());
    return;
  }
  auto arguments = standInArguments();
  auto at = std::find(arguments.begin(), arguments.end(), formatless);
  ASSERT_NE(at, arguments.end());
  ASSERT_NE(at, arguments.begin());
  EXPECT_EQ(*(at - 1), "-isdf");
  h.choose(pane, "inputFiletype", "Choose");
  h.press(pane, c.run);
  EXPECT_EQ(h.alerts().back().messageText, "Choose the input's format or rename the file");
}

// obabel reads a name ending in ".fs", in any case, as its fast-search index (SD text so named
// it searches for minutes, emptying the output); its siblings read no such name. A real index
// holds fingerprints, not molecules: obabel prints a summary, the siblings read nothing.
TEST_P(ToolPattern, MoleculesNamedAsAnIndexAndARealIndexRunNothing) {
  const auto& c = GetParam();
  useStandIns(c.program);
  std::string named = scratch("mols.Fs"), index = scratch("set.fs"), output = scratch("out.sdf");
  writeFile(named, readFile(testDataPath("small.sdf")));
  obabelCount({resolved("@set.sdf"), "-ofs", "-O", index});
  writeFile(output, "kept");
  ASSERT_NO_FATAL_FAILURE(expectEachRefused({{c.inputField, named}, {c.inputField, index}},
                                            resolved("@in.sdf"), output));
  EXPECT_THAT(
      h.alerts()[0].informativeText,
      ::testing::HasSubstr(c.program == "obabel" ? "as a fast-search index" : "cannot tell"));
  EXPECT_THAT(
      h.alerts()[1].informativeText,
      ::testing::HasSubstr("\"" + index + "\" is a fast-search index of 10 molecules in \"" +
                           scratch("set.sdf") + "\""));
}

// With the real programs: a file with no molecule in it gives an empty result, which is said
// with the program's last error lines, and the earlier result goes back into the file; judged
// by the file, so a result that holds anything (obfit writes its template) stays silent.
TEST_P(ToolPattern, AnEmptyResultIsSaidAndAnyOtherStaysSilent) {
  const auto& c = GetParam();
  if (c.outputField.empty()) GTEST_SKIP() << "no output file";
  if (c.program == "obrotate") GTEST_SKIP() << "refuses the typed pattern before reading";
  std::string junk = scratch("junk.sdf"), output = scratch("out.txt");
  writeFile(junk, "not a molecule\n");
  writeFile(output, "an earlier result");
  typeValues();
  setText(c.inputField, junk);
  setText(c.outputField, output);
  h.press(pane, c.run);
  if (h.alerts().empty()) {
    EXPECT_THAT(readFile(output), ::testing::Not(::testing::AnyOf("", "an earlier result")));
    return;
  }
  ASSERT_EQ(h.alerts().size(), 1u);
  EXPECT_EQ(readFile(output), "an earlier result");
  EXPECT_EQ(h.alerts()[0].messageText, c.program + " wrote nothing");
  EXPECT_THAT(h.alerts()[0].informativeText,
              ::testing::HasSubstr("left the output file \"" + output + "\" empty"));
  EXPECT_THAT(h.alerts()[0].informativeText,
              ::testing::EndsWith("\n\nThe file that was at \"" + output +
                                  "\" before is back in place, unchanged."));
  if (c.program == "obabel") {
    EXPECT_THAT(h.alerts()[0].informativeText, ::testing::HasSubstr("Its last error lines:\n"));
    EXPECT_THAT(h.alerts()[0].informativeText,
                ::testing::HasSubstr("\n0 molecules converted\n\nThe file"));
  }
}

TEST_P(ToolPattern, TypedValuesArriveAsSingleArgumentsInTheirPlaces) {
  const auto& c = GetParam();
  if (c.typed.empty()) GTEST_SKIP() << "no typed values";
  useStandIns(c.program);
  setText(c.inputField, resolved("@in.sdf"));
  if (!c.outputField.empty()) setText(c.outputField, scratch("out.sdf"));
  typeValues();
  h.press(pane, c.run);
  auto expected = c.arguments;
  for (auto& argument : expected)
    argument =
        argument == "OUT" ? scratch("out.sdf") : resolved(argument == "IN" ? "@in.sdf" : argument);
  EXPECT_EQ(standInArguments(), expected);
}

TEST_P(ToolPattern, AnObabelPathThatNamesNoProgramRunsNothingOrHeadsTheCommand) {
  const auto& c = GetParam();
  useStandIns(c.program);
  typeValues();
  setText(c.inputField, testDataPath("small.sdf"));
  if (!c.outputField.empty()) setText(c.outputField, scratch("out.sdf"));
  if (c.program == "obabel") {
    // obabel itself heads the command as one word, even the text that asks for a path; bash
    // finds no such program, and the failure is said.
    h.defaults().remove("pathToobabel");
    h.press(pane, c.run);
    if (c.printsCommand) {
      ASSERT_EQ(h.diagnostics().size(), 1u);
      EXPECT_EQ(h.diagnostics()[0].rfind("'Need obabel Path' ", 0), 0u);
    }
    ASSERT_EQ(h.alerts().size(), 1u);
    EXPECT_EQ(h.alerts()[0].messageText, "obabel failed");
    EXPECT_THAT(h.alerts()[0].informativeText,
                ::testing::HasSubstr("status 127. Its last error lines:\n/bin/bash: line 1: Need "
                                     "obabel Path: command not found"));
    // An empty path is no program at all: bash would run the input file in its place.
    h.defaults().set("pathToobabel", "");
    h.press(pane, c.run);
    ASSERT_EQ(h.alerts().size(), 2u);
    EXPECT_EQ(h.alerts()[1].messageText, "The obabel path is empty");
    EXPECT_FALSE(standInRan());
    return;
  }
  h.defaults().set("pathToobabel", scratch("bin") + "/ob abel");
  h.press(pane, c.run);
  h.defaults().remove("pathToobabel");
  h.press(pane, c.run);
  h.defaults().set("pathToobabel", "");
  h.press(pane, c.run);
  // Beside a real obabel: a program that may not be run, then none at all.
  h.defaults().set("pathToobabel", scratch("o'bin/obabel"));
  std::string sibling = scratch("o'bin/" + c.program);
  ASSERT_EQ(::chmod(sibling.c_str(), 0644), 0);
  h.press(pane, c.run);
  std::filesystem::remove(sibling);
  h.press(pane, c.run);
  EXPECT_FALSE(standInRan());
  EXPECT_FALSE(fileExists(scratch("out.sdf")));
  EXPECT_EQ(h.diagnostics().size(), 3u);  // the three refusals; no command
  ASSERT_EQ(h.alerts().size(), 5u);
  EXPECT_EQ(h.alerts()[1].informativeText.find(c.program), 0u);
  EXPECT_EQ(h.alerts()[2].messageText, "The obabel path is empty");
  for (size_t i : {3u, 4u})
    EXPECT_EQ(h.alerts()[i].informativeText.find(c.program + " was looked for as \"" + sibling),
              0u);
  // A leading "~/" is the home folder, as bash reads it.
  std::string home = std::getenv("HOME") ? std::getenv("HOME") : "";
  ::setenv("HOME", h.temporaryDirectory().c_str(), 1);
  writeArgumentRecorder(sibling, scratch("arguments"));
  h.defaults().set("pathToobabel", "~/o'bin/obabel");
  h.press(pane, c.run);
  ::setenv("HOME", home.c_str(), 1);
  EXPECT_TRUE(standInRan());
}

// A file the pane cannot read, or an output that would destroy one it reads, runs nothing.
TEST_P(ToolPattern, AnUnreadableInputOrADestructiveOutputRunsNothingAndSaysWhy) {
  const auto& c = GetParam();
  useStandIns(c.program);
  std::string input = resolved("@in.sdf"), output = scratch("out.sdf");
  writeFile(output, "kept");
  std::filesystem::create_directories(scratch("folder"));
  std::filesystem::create_symlink(scratch("gone"), scratch("dangling"));
  ASSERT_EQ(::mkfifo(scratch("fifo").c_str(), 0600), 0);
  int reader = ::open(scratch("fifo").c_str(), O_RDONLY | O_NONBLOCK);  // else a run would hang
  FieldPaths refused;  // field, path, as the alert says
  for (std::string path : {std::string(), scratch("missing.sdf"), scratch("folder"),
                           scratch("dangling"), scratch("fifo")})
    refused.emplace_back(c.inputField, path);
  std::vector<std::string> outputs = {input, scratch("folder"), scratch("folder/"), "",
                                      scratch("fifo")};
  for (const auto& [field, value] : c.typed)
    if (value.rfind('@', 0) == 0) {
      refused.emplace_back(field, scratch("missing.sdf"));
      outputs.push_back(resolved(value));  // a template is an input too
    }
  for (const auto& path : c.outputField.empty() ? std::vector<std::string>() : outputs)
    refused.emplace_back(c.outputField, path);
  ASSERT_NO_FATAL_FAILURE(expectEachRefused(refused, input, output));
  for (size_t i = 0; i < refused.size(); ++i)
    EXPECT_NE(
        h.alerts()[i].informativeText.find(refused[i].second.empty() ? "empty" : refused[i].second),
        std::string::npos);
  ::close(reader);
}

// A program that reads only the first molecule of a gzip-compressed file gets none that holds
// more; the real obabel beside the stand-in counts them.
TEST_P(ToolPattern, ACompressedFileOfManyMoleculesRunsOnlyWhereEveryOneIsRead) {
  const auto& c = GetParam();
  useStandIns(c.program);
  if (c.program != "obabel") {
    std::filesystem::remove(scratch("o'bin/obabel"));
    std::filesystem::create_symlink(kObabel, scratch("o'bin/obabel"));
  }
  // Many is named relatively, beginning with "-": it is counted as a file, not obabel's option.
  std::string many = "-many.sdf.gz", one = scratch("one.sdf.gz");
  std::string small = quotedPath(testDataPath("small.sdf"));
  runForOutput("gzip -c " + small + " > " + quotedPath(scratch(many)) + "; " + kObabel + " " +
               small + " -l 1 -osdf 2>/dev/null | gzip > " + quotedPath(one));
  const auto before = std::filesystem::current_path();
  std::filesystem::current_path(h.temporaryDirectory());
  for (const auto& file : {many, one}) {
    std::filesystem::remove(scratch("arguments"));
    typeValues();
    setText(c.inputField, file);
    if (!c.outputField.empty()) setText(c.outputField, scratch("out.sdf"));
    h.press(pane, c.run);
    EXPECT_EQ(standInRan(), !c.firstOfCompressed || file == one) << file;
  }
  std::filesystem::current_path(before);
  if (!c.firstOfCompressed) return;
  EXPECT_THAT(h.alerts().at(0).informativeText,
              ::testing::HasSubstr("\"" + many + "\" is gzip-compressed"));
}

}  // namespace molbench::testing
