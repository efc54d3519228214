// Two exports into one export file at the same moment, as from two windows, with the real obabel:
// one at a time writes the file, and no record is lost or said to be where it is not.
#include <gmock/gmock.h>

#include <algorithm>
#include <filesystem>
#include <latch>
#include <thread>

#include "ViewerFixture.h"

namespace molbench::testing {
namespace {

using ::testing::HasSubstr;
namespace fs = std::filesystem;

const char* kNci5k = "/usr/share/RDKit/Data/NCI/first_5K.smi";

// A second window: a viewer pane of its own, in a world of its own.
struct Window {
  headless::Harness h;
  ViewerController& pane = h.make<ViewerController>("ViewerController");
  Window() { h.defaults().set("pathToobabel", kObabel); }
  void exportRows(const std::string& input, std::vector<int> rows) {
    h.field(pane, "inputFilepath").setText(input);
    h.press(pane, "importData:");
    h.table(pane, "tableView").setSelectedRowIndexes(std::move(rows));
  }
};

class ExportTogetherTest : public ViewerTest {
 protected:
  std::vector<std::string> sortedTitles(const std::string& path) {
    auto titles = obabelTitles(path);
    std::sort(titles.begin(), titles.end());
    return titles;
  }
};

// Each export either adds every row it was given, or says that another export holds the file
// and adds none; the old records stay whatever the timing. A join of 1,000 records lasts long
// enough for the two to meet in most rounds, without any timing of the test's own. Every other
// round there is no export file yet: the first join makes it.
TEST_F(ExportTogetherTest, TwoExportsAtOnceLoseNoRecord) {
  std::string old = scratch("old.sdf"), input = scratch("set.sdf");
  runForOutput("head -1000 " + quotedPath(kNci5k) + " | obabel -ismi -osdf -O " + quotedPath(old) +
               " 2>/dev/null");
  sdFrom(input,
         "CCO a1\nCCN a2\nCCC a3\nCCF a4\nCCI a5\nCC=O a6\n"
         "CCCl b1\nCCBr b2\nCCS b3\nCCP b4\nCC#N b5\nCC=C b6\n");
  std::string exported = scratch("setexport.sdf");
  Window first, second;
  first.exportRows(input, {0, 1, 2, 3, 4, 5});
  second.exportRows(input, {6, 7, 8, 9, 10, 11});
  const std::vector<std::string> added[] = {{"a1", "a2", "a3", "a4", "a5", "a6"},
                                            {"b1", "b2", "b3", "b4", "b5", "b6"}};
  auto oldTitles = sortedTitles(old);
  int met = 0;
  for (int round = 0; round < 10; ++round) {
    SCOPED_TRACE("round " + std::to_string(round));
    bool fresh = round % 2 == 1;
    if (fresh)
      fs::remove(exported);
    else
      writeFile(exported, readFile(old));
    size_t alertsBefore[] = {first.h.alerts().size(), second.h.alerts().size()};
    std::latch start(2);
    auto press = [&](Window& window) {
      start.arrive_and_wait();
      window.h.press(window.pane, "exportSelected:");
    };
    std::thread one(press, std::ref(first)), other(press, std::ref(second));
    one.join();
    other.join();
    auto expected = fresh ? std::vector<std::string>{} : oldTitles;
    Window* windows[] = {&first, &second};
    for (int which = 0; which < 2; ++which) {
      const auto& alerts = windows[which]->h.alerts();
      if (alerts.size() == alertsBefore[which]) {
        expected.insert(expected.end(), added[which].begin(), added[which].end());
        continue;
      }
      ++met;
      ASSERT_EQ(alerts.size(), alertsBefore[which] + 1);
      EXPECT_THAT(alerts.back().informativeText, HasSubstr("Another export"));
    }
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(sortedTitles(exported), expected);
  }
  RecordProperty("refused", met);
}

}  // namespace
}  // namespace molbench::testing
