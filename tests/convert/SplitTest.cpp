// A split writes, one a file, exactly the molecules the same conversion writes without it,
// whatever the conversion selects or joins, and a compressed split gzips each file once. Run with
// the real obabel on real files.
#include <gmock/gmock.h>

#include <filesystem>
#include <regex>
#include <vector>

#include "ConvertFixture.h"
#include "common/OutputGuard.h"
#include "common/ShellQuote.h"

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

class SplitFixture : public ConvertPaneTest {
 protected:
  std::string nci30() {
    std::string input = scratch("nci30.sdf");
    obabelCount({kNci, "-l", "30", "-O", input});
    return input;
  }
  // The numbered files a split to `output` wrote, in the order of their numbers.
  std::vector<std::string> numberedFiles(const std::string& output) {
    auto [before, after] = splitOutputNames(output);
    std::vector<std::string> files;
    while (fileExists(before + std::to_string(files.size() + 1) + after))
      files.push_back(before + std::to_string(files.size() + 1) + after);
    return files;
  }
  std::string splitFiles(const std::string& output, int& files) {
    std::string text;
    auto names = numberedFiles(output);
    for (const auto& name : names) text += readFile(name);
    files = static_cast<int>(names.size());
    return text;
  }
};

class SplitUnderSelection : public SplitFixture,
                            public ::testing::WithParamInterface<SelectedSplit> {};

TEST_P(SplitUnderSelection, WritesTheMoleculesOfTheUnsplitRunOneAFile) {
  const SelectedSplit& c = GetParam();
  std::string input = c.input.empty() ? nci30() : c.input;
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

struct CompressedSplit {
  std::string name;
  Settings settings;
  std::string output;  // its name; the split files go into a folder of their own
  std::string outputFormat;
  int molecules;  // what the conversion writes without the split
};

void PrintTo(const CompressedSplit& c, std::ostream* out) { *out << c.name; }

class SplitCompressed : public SplitFixture,
                        public ::testing::WithParamInterface<CompressedSplit> {};

TEST_P(SplitCompressed, GzipsEachFileOnceUnderItsNumberedName) {
  const CompressedSplit& c = GetParam();
  std::string input = nci30();
  std::string written = c.output.ends_with(".gz") ? c.output : c.output + ".gz";
  // Unsplit, obabel reads a "*" in the name as the place of the input's name.
  std::string all = scratch("all.sdf.gz");
  apply(c.settings);
  convertFiles(input, kSdfRow, c.output.ends_with(".gz") ? all : scratch("all.sdf"),
               c.outputFormat);
  h.press(pane, "convertFile:");
  std::string folder = scratch("split dir's $HOME");
  std::filesystem::create_directory(folder);
  // The user's own file, at the name an uncompressed split would give its first molecule.
  writeFile(folder + "/m1.sdf", "kept\n");
  turnOn("splitIntoindividualmols");
  setText("outputFilepath", folder + "/" + c.output);
  h.press(pane, "convertFile:");

  auto files = numberedFiles(folder + "/" + written);
  EXPECT_EQ(obabelCount({all, "-onul"}), c.molecules);
  ASSERT_EQ(files.size(), static_cast<size_t>(c.molecules)) << pane.obshellCommand;
  std::string gunzip = "gzip -dc";
  for (const auto& file : files) {
    EXPECT_EQ(readFile(file).substr(0, 2), "\x1f\x8b") << file;
    EXPECT_EQ(obabelCount({file, "-onul"}), 1) << file;
    gunzip += " " + quotedPath(file);
  }
  EXPECT_TRUE(withoutTimeStamps(runForOutput(gunzip)) ==
              withoutTimeStamps(runForOutput("gzip -dc " + quotedPath(all))))
      << "the split files differ from the unsplit run's molecules";
  EXPECT_EQ(readFile(folder + "/m1.sdf"), "kept\n");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), c.molecules + 1);
  EXPECT_THAT(h.alerts(), IsEmpty());
}

// Open Babel 3.1.1 alone gzipped each file twice (obabel then read none of its molecules) and
// crashed as it ended.
INSTANTIATE_TEST_SUITE_P(
    Obabel, SplitCompressed,
    ::testing::Values(CompressedSplit("Compressed", {{"zipoutput", ""}}, "m.sdf", kSdfRow, 30),
                      CompressedSplit("UnderASelection",
                                      {{"zipoutput", ""},
                                       {"smartsConvertoptions", "matching"},
                                       {"smartsConvert", "[#7]"}},
                                      "m.sdf", kSdfRow, 21),
                      // With the format left to the name, a name ending in ".gz" compresses too.
                      CompressedSplit("NamedGz", {}, "m.sdf.gz", kAutodetectRow, 30),
                      CompressedSplit("DashAndStar",
                                      {{"zipoutput", ""},
                                       {"smartsConvertoptions", "not_matching"},
                                       {"smartsConvert", "[#7]"}},
                                      "-m*x.sdf", kAutodetectRow, 9),
                      // A pH with coordinates goes to a run of its own, which may also filter.
                      CompressedSplit("PHAfterCoordinates",
                                      {{"zipoutput", ""},
                                       {"hydrogensPop", "-p Add Hydrogens appropriate for pH"},
                                       {"thePH", "7.4"},
                                       {"generate2D", ""}},
                                      "m.sdf", kSdfRow, 30),
                      CompressedSplit("PHAndFilter",
                                      {{"zipoutput", ""},
                                       {"hydrogensPop", "-p Add Hydrogens appropriate for pH"},
                                       {"thePH", "7.4"},
                                       {"generate2D", ""},
                                       {"filterOption", ""},
                                       {"filterProperties", "MW<200"}},
                                      "m.sdf", kSdfRow, 14)),
    [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace molbench::testing
