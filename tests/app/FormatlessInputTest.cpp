// An input whose name gives obabel no format ("set", no extension): obabel would empty the
// output, say "Cannot read input format" and exit 0. Every run of the main panes that reads such
// a file refuses it before anything runs, and runs once a chosen format reaches obabel.
#include <gmock/gmock.h>

#include "TestSupport.h"
#include "convert/Convertcontroller.h"
#include "platform/headless/Harness.h"
#include "search/SearchViewController.h"
#include "viewer/ViewerController.h"

namespace molbench::testing {
namespace {

using ::testing::HasSubstr;

TEST(FormatlessInput, EveryMainPaneRefusesItUntilAChosenFormatReachesObabel) {
  headless::Harness h;
  h.defaults().set("pathToobabel", kObabel);
  std::string folder = h.temporaryDirectory() + "/", input = folder + "set";
  std::string output = folder + "out.smi", index = folder + "set.fs";
  writeFile(input, readFile(testDataPath("small.sdf")));
  writeFile(output, "kept\n");
  auto& convert = h.make<Convertcontroller>("Convertcontroller");
  auto& search = h.make<SearchViewController>("SearchViewController");
  auto& viewer = h.make<ViewerController>("ViewerController");
  const std::vector<platform::ViewController*> panes = {&convert, &search, &viewer};
  for (auto* pane : panes) h.field(*pane, "inputFilepath").setText(input);
  h.field(convert, "outputFilepath").setText(output);
  h.field(search, "outputFilepath").setText(output);
  h.field(search, "smartsSearch").setText("C");
  h.field(search, "fssearchPath").setText(index);
  h.field(viewer, "smartsString").setText("C");
  h.choose(viewer, "matchOrnot", "matching");

  // Where no popup reaches the command (the import, and the index build, which takes the last
  // file search's format) the advice is to rename the file.
  const std::tuple<platform::ViewController*, const char*, const char*> presses[] = {
      {&convert, "convertFile:", "input-format popup"},
      {&convert, "checkObabel:", "popup"},
      {&convert, "countMols:", "popup"},
      {&search, "checkObabel:", "popup"},
      {&search, "createFS:", "rename"},
      {&viewer, "importData:", "rename"},
      {&viewer, "smartsFilter:", "popup"}};
  for (const auto& [pane, action, advice] : presses) {
    h.press(*pane, action);
    ASSERT_FALSE(h.alerts().empty()) << action;
    EXPECT_EQ(h.alerts().back().messageText, std::string(advice) == "rename"
                                                 ? "Rename the input file"
                                                 : "Choose the input's format or rename the file");
    EXPECT_THAT(h.alerts().back().informativeText,
                HasSubstr("obabel cannot tell the format of the input file \"" + input + "\""));
    EXPECT_THAT(h.alerts().back().informativeText, HasSubstr(advice)) << action;
  }
  EXPECT_EQ(h.alerts().size(), std::size(presses));
  EXPECT_EQ(readFile(output), "kept\n");
  EXPECT_FALSE(fileExists(index));
  EXPECT_TRUE(h.arrayController(viewer, "chemdataArraycontroller").content().empty());

  for (auto* pane : panes) h.choose(*pane, "inputFiletype", "sdf -- MDL MOL format");
  h.press(convert, "convertFile:");
  EXPECT_EQ(obabelCount({output, "-onul"}), 10);
  h.press(search, "checkObabel:");
  h.press(search, "createFS:");
  h.press(viewer, "smartsFilter:");
  EXPECT_EQ(h.alerts().size(), std::size(presses));
  EXPECT_TRUE(fileExists(index));
  EXPECT_FALSE(viewer.searchResults.empty());
  // The index names "set", which a search reads by its name alone.
  h.press(search, "runFSsearch:");
  EXPECT_THAT(h.alerts().back().informativeText, HasSubstr("build the index again"));
}

}  // namespace
}  // namespace molbench::testing
