#include "ToolPattern.h"

#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "platform/SceneRegistry.h"

namespace molbench::testing {

std::string caseName(const ::testing::TestParamInfo<ToolPaneCase>& info) {
  return info.param.identifier;
}

namespace {
// Open Babel's force fields spin OpenMP threads on every core; on a busy machine that makes a
// 3D run of ethanol take minutes. One thread keeps the real runs quick.
const bool oneOpenMpThread = (::setenv("OMP_NUM_THREADS", "1", 0), true);

std::shared_ptr<platform::ViewController> madeAndLoaded(headless::Harness& h,
                                                        const std::string& identifier) {
  auto pane = platform::SceneRegistry::shared().instantiate(identifier, h);
  if (!pane) throw std::logic_error("no scene " + identifier);
  h.adopt(pane);
  pane->view();
  return pane;
}
}  // namespace

ToolPaneTest::ToolPaneTest(const std::string& identifier)
    : panePointer(madeAndLoaded(h, identifier)), pane(*panePointer) {
  h.defaults().set("pathToobabel", kObabel);
}

void ToolPaneTest::useStandIns(const std::string& program) {
  writeArgumentRecorder(scratch("bin/obabel"), scratch("arguments"));
  writeArgumentRecorder(scratch("bin/" + program), scratch("arguments"));
  h.defaults().set("pathToobabel", scratch("bin/obabel"));
}

bool hasThreeDCoordinates(const std::string& path) {
  std::istringstream xyz(runForOutput("/usr/bin/obabel '" + path + "' -oxyz 2>/dev/null"));
  std::string line;
  int molecules = 0;
  while (std::getline(xyz, line)) {
    int atoms = std::stoi(line);
    std::getline(xyz, line);  // title
    bool offPlane = false;
    for (int i = 0; i < atoms && std::getline(xyz, line); ++i) {
      std::istringstream fields(line);
      std::string element;
      double x, y, z;
      fields >> element >> x >> y >> z;
      if (z != 0) offPlane = true;
    }
    if (!offPlane) return false;
    ++molecules;
  }
  return molecules > 0;
}

int moleculeCount(const std::string& path) { return obabelCount({path, "-onul"}); }

// The pattern's cases, for every pane that adds its row.

TEST_P(ToolPattern, ChoosersPresetTheOutputBesideTheInputAndCancelKeepsBoth) {
  const auto& c = GetParam();
  bool hasOutput = !c.outputField.empty();
  std::string output = "typed out";
  setText(c.inputField, "typed in");
  if (hasOutput) setText(c.outputField, output);
  auto presetAfter = [&](const std::string& folder) {
    if (hasOutput && !c.defaultOutput.empty()) output = folder + c.defaultOutput;
  };
  auto expectFields = [&](const std::string& input) {
    EXPECT_EQ(text(c.inputField), input);
    if (hasOutput) {
      EXPECT_EQ(text(c.outputField), output);
    }
  };
  // Names the panels let through: each ends in an extension the panel allows, and an existing
  // folder passes whatever the extensions.
  auto ending = [](const Extensions& allowed) { return "." + (allowed ? allowed->front() : "sdf"); };
  const std::string in = "/data/set 1/in'" + ending(c.inputExtensions);
  const std::string rootIn = "/in" + ending(c.inputExtensions);
  const std::string other = "/data/other" + ending(c.outputExtensions);
  const std::string folder = scratch("set");
  std::filesystem::create_directories(folder);
  h.press(pane, c.inputChooser);  // cancelled
  expectFields("typed in");
  h.answerOpenPanel(in);
  h.press(pane, c.inputChooser);
  presetAfter("/data/set 1");
  expectFields(in);
  // A file in the root folder: its folder "/" and the default output give "//".
  h.answerOpenPanel(rootIn);
  h.press(pane, c.inputChooser);
  presetAfter("/");
  expectFields(rootIn);
  // A folder counts as an item: the output lands in its parent.
  h.answerOpenPanel(folder);
  h.press(pane, c.inputChooser);
  presetAfter(h.temporaryDirectory());
  expectFields(folder);
  const auto& panels = h.openPanels();
  ASSERT_EQ(panels.size(), 4u);
  EXPECT_EQ(panels[0].title, c.inputTitle);
  EXPECT_EQ(panels[0].allowedFileTypes, c.inputExtensions);
  EXPECT_TRUE(panels[0].canChooseDirectories && panels[0].canCreateDirectories &&
              !panels[0].allowsMultipleSelection && !panels[0].showsHiddenFiles);
  if (c.outputChooser.empty()) return;

  h.press(pane, c.outputChooser);  // cancelled
  expectFields(folder);
  h.answerOpenPanel(other);
  h.press(pane, c.outputChooser);
  output = other;
  expectFields(folder);
  EXPECT_EQ(panels[4].title, "Choose output file");
  EXPECT_EQ(panels[4].allowedFileTypes, c.outputExtensions);
}

TEST_P(ToolPattern, RunPassesOddPathsAsSingleArgumentsAndPrintsItsCommand) {
  const auto& c = GetParam();
  useStandIns(c.program);
  std::string input = scratch("in 'a' $(touch pwned) -x.sdf");
  writeFile(input, readFile(testDataPath("small.sdf")));
  setText(c.inputField, input);
  if (!c.outputField.empty()) setText(c.outputField, scratch("out \"b\" `x`.sdf"));
  h.press(pane, c.run);
  auto arguments = standInArguments();
  EXPECT_NE(std::find(arguments.begin(), arguments.end(), input), arguments.end());
  EXPECT_FALSE(fileExists(scratch("pwned")));
  EXPECT_EQ(h.diagnostics().size(), c.printsCommand ? 1u : 0u);
  EXPECT_TRUE(h.alerts().empty());
}

TEST_P(ToolPattern, AnOutputThatWouldDestroyTheInputRunsNothing) {
  const auto& c = GetParam();
  if (c.outputField.empty()) GTEST_SKIP() << "writes no output file";
  useStandIns(c.program);
  std::string input = scratch("in.sdf");
  writeFile(input, readFile(testDataPath("small.sdf")));
  writeFile(scratch("folder/keep"), "");
  setText(c.inputField, input);
  for (std::string output : {input, scratch("folder"), scratch("folder/"), std::string()}) {
    SCOPED_TRACE(output);
    setText(c.outputField, output);
    h.press(pane, c.run);
  }
  EXPECT_EQ(h.alerts().size(), 4u);
  EXPECT_FALSE(standInRan());
  EXPECT_EQ(readFile(input), readFile(testDataPath("small.sdf")));
}

TEST_P(ToolPattern, AnObabelPathThatNamesNoProgramRunsNothingOrHeadsTheCommand) {
  const auto& c = GetParam();
  useStandIns(c.program);
  setText(c.inputField, testDataPath("small.sdf"));
  if (!c.outputField.empty()) setText(c.outputField, scratch("out.txt"));
  if (c.program == "obabel") {
    // obabel itself heads the command as stored, or as the text that asks for a path.
    h.defaults().remove("pathToobabel");
    h.press(pane, c.run);
    if (c.printsCommand) {
      ASSERT_EQ(h.diagnostics().size(), 1u);
      EXPECT_EQ(h.diagnostics()[0].rfind("Need obabel Path ", 0), 0u);
    }
    EXPECT_TRUE(h.alerts().empty());
    return;
  }
  h.defaults().set("pathToobabel", scratch("bin") + "/ob abel");
  h.press(pane, c.run);
  h.defaults().remove("pathToobabel");
  h.press(pane, c.run);
  h.defaults().set("pathToobabel", "");
  h.press(pane, c.run);
  EXPECT_FALSE(standInRan());
  EXPECT_FALSE(fileExists(scratch("out.txt")));
  EXPECT_TRUE(h.diagnostics().empty());
  ASSERT_EQ(h.alerts().size(), 3u);
  EXPECT_EQ(h.alerts()[1].informativeText.find(c.program), 0u);
}

}  // namespace molbench::testing
