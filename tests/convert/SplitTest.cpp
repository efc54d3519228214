// A split writes, one a file, exactly the molecules the same conversion writes without it,
// whatever the conversion selects or joins. Run with the real obabel on real files.
#include <gmock/gmock.h>

#include <filesystem>
#include <regex>

#include "ConvertFixture.h"
#include "common/OutputGuard.h"

namespace molbench::testing {
namespace {

using ::testing::IsEmpty;

const std::string kNci = "/usr/share/RDKit/Data/NCI/first_200.props.sdf";

struct SelectedSplit {
  std::string name;
  Settings settings;
  int molecules;           // what the conversion writes without the split
  std::string input = "";  // the first 30 molecules of NCI's file when empty
};

void PrintTo(const SelectedSplit& c, std::ostream* out) { *out << c.name; }

// SD text with obabel's time stamps (minutes, which two runs may straddle) blanked.
std::string withoutTimeStamps(const std::string& sd) {
  return std::regex_replace(sd, std::regex("OpenBabel[0-9]{10}"), "OpenBabel");
}

class SplitUnderSelection : public ConvertPaneTest,
                            public ::testing::WithParamInterface<SelectedSplit> {
 protected:
  // The numbered files a split to `output` wrote, joined in the order of their numbers.
  std::string splitFiles(const std::string& output, int& files) {
    auto [before, after] = splitOutputNames(output);
    std::string text;
    for (files = 0; fileExists(before + std::to_string(files + 1) + after); ++files)
      text += readFile(before + std::to_string(files + 1) + after);
    return text;
  }
};

TEST_P(SplitUnderSelection, WritesTheMoleculesOfTheUnsplitRunOneAFile) {
  const SelectedSplit& c = GetParam();
  std::string input = c.input;
  if (input.empty()) {
    input = scratch("nci30.sdf");
    obabelCount({kNci, "-l", "30", "-O", input});
  }
  apply(c.settings);
  convertFiles(input, input.ends_with(".smi") ? kSmiRow : kSdfRow, scratch("all.sdf"), kSdfRow);
  h.press(pane, "convertFile:");
  turnOn("splitIntoindividualmols");
  std::filesystem::create_directory(scratch("split"));
  setText("outputFilepath", scratch("split/m.sdf"));
  h.press(pane, "convertFile:");

  int files = 0;
  std::string split = splitFiles(scratch("split/m.sdf"), files);
  EXPECT_EQ(obabelCount({scratch("all.sdf"), "-onul"}), c.molecules);
  EXPECT_EQ(files, c.molecules) << pane.obshellCommand;
  // Compared whole, not printed: a difference would fill screens.
  EXPECT_TRUE(withoutTimeStamps(split) == withoutTimeStamps(readFile(scratch("all.sdf"))))
      << "the split files differ from the unsplit run's molecules";
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(scratch("split")), {}), files);
  EXPECT_THAT(h.alerts(), IsEmpty());
}

// Open Babel 3.1.1 alone wrote 10, 30, 0, 1 and 1 files for the first five, crashed after the
// first molecule of the join, and wrote 1 file for the nine unique molecules.
INSTANTIATE_TEST_SUITE_P(
    Obabel, SplitUnderSelection,
    ::testing::Values(
        SelectedSplit("Range", {{"convertAll", ""}, {"convertFrom", "3"}, {"convertTo", "7"}}, 5),
        SelectedSplit("FirstTen", {{"convertAll", ""}, {"convertTo", "10"}}, 10),
        SelectedSplit("Matching", {{"smartsConvertoptions", "matching"}, {"smartsConvert", "[#7]"}},
                      21),
        SelectedSplit("NotMatching",
                      {{"smartsConvertoptions", "not_matching"}, {"smartsConvert", "[#7]"}}, 9),
        SelectedSplit("Filter", {{"filterOption", ""}, {"filterProperties", "MW<200"}}, 14),
        SelectedSplit("Join", {{"joinIntosinglemol", ""}}, 1),
        SelectedSplit("Unique", {{"onlyUniquemols", ""}}, 9, testDataPath("small.smi"))),
    [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace molbench::testing
