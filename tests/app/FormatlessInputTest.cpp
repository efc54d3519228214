// An input whose name gives obabel no format ("set", no extension): obabel would empty the
// output, say "Cannot read input format" and exit 0. Every run that reads such a file refuses it
// before anything runs, with the real obabel, and runs once a chosen format reaches obabel.
#include <gmock/gmock.h>

#include "TestSupport.h"
#include "convert/Convertcontroller.h"
#include "platform/headless/Harness.h"
#include "search/SearchViewController.h"
#include "viewer/ViewerController.h"

namespace molbench::testing {
namespace {

constexpr const char* kTitle = "Choose the input's format or rename the file";
constexpr const char* kSdfRow = "sdf -- MDL MOL format";

class FormatlessInput : public ::testing::Test {
 protected:
  FormatlessInput() {
    h.setResourcePath(MOLBENCH_RESOURCE_BUILD_DIR);
    h.defaults().set("pathToobabel", kObabel);
    writeFile(input, readFile(testDataPath("small.sdf")));
    writeFile(output, "kept\n");
  }
  std::string scratch(const std::string& name) { return h.temporaryDirectory() + "/" + name; }
  void setText(platform::ViewController& pane, const std::string& outlet, const std::string& text) {
    h.field(pane, outlet).setText(text);
  }

  // Each press is refused with the format alert, which names the file and what to do; the
  // output keeps what it held.
  void expectRefused(platform::ViewController& pane, const std::vector<std::string>& actions,
                     const std::string& advice, const std::string& file) {
    std::string before = readFile(output);
    for (const auto& action : actions) {
      auto alerts = h.alerts().size();
      h.press(pane, action);
      ASSERT_EQ(h.alerts().size(), alerts + 1) << action;
      EXPECT_EQ(h.alerts().back().messageText, kTitle) << action;
      EXPECT_THAT(h.alerts().back().informativeText,
                  ::testing::StartsWith("obabel cannot tell the format of the "));
      EXPECT_THAT(h.alerts().back().informativeText, ::testing::HasSubstr("\"" + file + "\""));
      EXPECT_THAT(h.alerts().back().informativeText, ::testing::HasSubstr(advice)) << action;
    }
    EXPECT_EQ(readFile(output), before);
  }

  headless::Harness h;
  std::string input = scratch("set"), output = scratch("out.smi");
};

TEST_F(FormatlessInput, ConvertRefusesUntilTheFormatIsChosen) {
  auto& convert = h.make<Convertcontroller>("Convertcontroller");
  setText(convert, "inputFilepath", input);
  setText(convert, "outputFilepath", output);
  expectRefused(convert, {"convertFile:", "checkObabel:", "countMols:"}, "input-format popup",
                input);
  h.choose(convert, "inputFiletype", kSdfRow);
  h.press(convert, "convertFile:");
  h.press(convert, "countMols:");
  EXPECT_EQ(h.alerts().size(), 3u);
  EXPECT_EQ(obabelCount({output, "-onul"}), 10);
  EXPECT_THAT(h.field(convert, "obabelText").text(), ::testing::HasSubstr("10"));
}

TEST_F(FormatlessInput, SearchRefusesTheInputAndAnIndexOfIt) {
  auto& search = h.make<SearchViewController>("SearchViewController");
  setText(search, "inputFilepath", input);
  setText(search, "outputFilepath", output);
  setText(search, "smartsSearch", "C");
  setText(search, "fssearchPath", scratch("set.fs"));
  expectRefused(search, {"checkObabel:"}, "input-format popup", input);
  // The index takes its format from the last file search, never from the popup.
  expectRefused(search, {"createFS:"}, "rename", input);
  EXPECT_FALSE(fileExists(scratch("set.fs")));
  h.choose(search, "inputFiletype", kSdfRow);
  h.press(search, "checkObabel:");
  h.press(search, "createFS:");
  ASSERT_EQ(h.alerts().size(), 2u);
  EXPECT_GT(obabelCount({output, "-onul"}), 0);
  ASSERT_TRUE(fileExists(scratch("set.fs")));
  // The index names "set", which a search reads by its name alone.
  expectRefused(search, {"runFSsearch:"}, "build the index again", input);
}

TEST_F(FormatlessInput, ViewerRefusesTheImportAndFiltersOnlyWithAChosenFormat) {
  auto& viewer = h.make<ViewerController>("ViewerController");
  setText(viewer, "inputFilepath", input);
  setText(viewer, "smartsString", "C");
  h.choose(viewer, "matchOrnot", "matching");
  // The import reads no popup: only a name can tell obabel the format.
  expectRefused(viewer, {"importData:"}, "rename", input);
  EXPECT_TRUE(h.arrayController(viewer, "chemdataArraycontroller").content().empty());
  expectRefused(viewer, {"smartsFilter:"}, "input-format popup", input);
  h.choose(viewer, "inputFiletype", kSdfRow);
  h.press(viewer, "smartsFilter:");
  EXPECT_EQ(h.alerts().size(), 2u);
  EXPECT_FALSE(viewer.searchResults.empty());
}

}  // namespace
}  // namespace molbench::testing
