// A click on a row draws that row's molecule from its own file into the scratch picture and
// shows it; a drawing that fails shows no picture.
#include <gmock/gmock.h>

#include <filesystem>

#include "ViewerFixture.h"

namespace molbench::testing {
namespace {

using ::testing::ElementsAre;

class DepictionTest : public ViewerTest {
 protected:
  std::string picture() { return scratch("myjunk.png"); }
  // The PNG obabel draws itself for one molecule of a file.
  std::string directDrawing(const std::string& input, int ordinal) {
    std::string n = std::to_string(ordinal), out = scratch("direct.png");
    runForOutput("obabel " + quotedPath(input) + " -f " + n + " -l " + n + " -opng -O " +
                 quotedPath(out) + " --Gen2D 2>/dev/null");
    return readFile(out);
  }
};

TEST_F(DepictionTest, TheClickedRowIsDrawnAndShown) {
  std::string input = testDataPath("small.sdf");
  import(input);
  click(4, {1, 4});
  EXPECT_EQ(text("selectedCount"), "2");
  EXPECT_EQ(pane.obshellCommand, "/usr/bin/obabel " + quotedPath(input) + " -f 5 -l 5 -opng -O '" +
                                     picture() + "'  --Gen2D ");
  EXPECT_EQ(h.loads(pane, "molView").back(), "file://" + temp() + "//myjunk.png");
  EXPECT_EQ(readFile(picture()), directDrawing(input, 5));
  EXPECT_NE(readFile(picture()), directDrawing(input, 4));
}

TEST_F(DepictionTest, TheSmartsIsHighlightedAsOneArgument) {
  import(testDataPath("small.sdf"));
  setText("smartsString", "c1ccccc1");
  click(2, {2});
  EXPECT_THAT(pane.obshellCommand, ::testing::EndsWith("  --Gen2D  --highlight c1ccccc1 red"));
  EXPECT_TRUE(std::filesystem::exists(picture()));
  useStandIn();
  setText("smartsString", "[#7;R] $(x)");
  click(2, {2});
  EXPECT_THAT(standInArguments(),
              ElementsAre(testDataPath("small.sdf"), "-f", "3", "-l", "3", "-opng", "-O", picture(),
                          "--Gen2D", "--highlight", "[#7;R] $(x)", "red"));
  setText("smartsString", "");
  click(2, {2});
  EXPECT_EQ(standInArguments().back(), "--Gen2D") << "an emptied field drops the highlight";
}

TEST_F(DepictionTest, ARowDrawsFromItsOwnFileAndAFailedDrawingShowsNoPicture) {
  std::string first = sdFrom(scratch("first.sdf"), "c1ccccc1O phenol\n");
  import(first);
  import(testDataPath("small.sdf"));
  setText("inputFilepath", testDataPath("small.sdf"));
  click(0, {0});
  EXPECT_EQ(readFile(picture()), directDrawing(first, 1));
  // Under a filter a row keeps its own ordinal, whatever its position.
  setText("smartsString", "c1ccncc1");
  h.press(pane, "smartsFilter:");
  ASSERT_EQ(shown(), std::vector<std::string>{"pyridine"});
  setText("smartsString", "");
  click(0, {0});
  EXPECT_EQ(readFile(picture()), directDrawing(testDataPath("small.sdf"), 5));

  h.press(pane, "undoFilter:");
  std::filesystem::remove(first);
  click(0, {0});
  EXPECT_FALSE(std::filesystem::exists(picture())) << "not the previous molecule's picture";
  EXPECT_EQ(h.loads(pane, "molView").back(), "about:blank");
  setText("inputFilepath", first);
  h.press(pane, "exportSelected:");  // the row of the file that is gone
  EXPECT_FALSE(std::filesystem::exists(scratch("firstexport.sdf")));
  ASSERT_EQ(h.alerts().size(), 2u);
  for (const auto& alert : h.alerts())
    EXPECT_NE(alert.informativeText.find(first), std::string::npos);
}

}  // namespace
}  // namespace molbench::testing
