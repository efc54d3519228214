// A split writes, one a file, exactly the molecules the same conversion writes without it,
// whatever the conversion selects or joins, and a compressed split gzips each file once. Run with
// the real obabel on real files.
#include <gmock/gmock.h>

#include <filesystem>
#include <regex>

#include "ConvertFixture.h"
#include "common/OutputGuard.h"
#include "common/ShellQuote.h"

namespace molbench::testing {
namespace {

struct Split {
  std::string name;
  Settings settings;
  int molecules;  // what the conversion writes without the split
  std::string output = "m.sdf";
  std::string outputFormat = kSdfRow;
  std::string input = "";  // the first 30 molecules of NCI's file when empty
};

void PrintTo(const Split& c, std::ostream* out) { *out << c.name; }

class SplitRuns : public ConvertPaneTest, public ::testing::WithParamInterface<Split> {
 protected:
  // The molecules in these files, uncompressed, with obabel's time stamps (minutes, which two
  // runs may straddle) blanked.
  std::string unzipped(const std::string& files) {
    return std::regex_replace(runForOutput("gzip -dcf " + files), std::regex("OpenBabel[0-9]{10}"),
                              "OpenBabel");
  }
};

TEST_P(SplitRuns, WriteTheMoleculesOfTheUnsplitRunOneAFileGzippedOnce) {
  const Split& c = GetParam();
  std::string input = c.input.empty() ? scratch("nci30.sdf") : c.input;
  if (c.input.empty()) obabelCount({kNci, "-l", "30", "-O", input});
  apply(c.settings);
  bool gz = c.output.ends_with(".gz") || h.button(pane, "zipoutput").isOn();
  // Unsplit, obabel reads a "*" in the name as the place of the input's name.
  std::string all = scratch(gz ? "all.sdf.gz" : "all.sdf");
  convertFiles(input, input.ends_with(".smi") ? kSmiRow : kSdfRow,
               c.output.ends_with(".gz") ? all : scratch("all.sdf"), c.outputFormat);
  h.press(pane, "convertFile:");
  std::string folder = scratch("split dir's $HOME");
  std::filesystem::create_directory(folder);
  // The user's own file, where an uncompressed split would write its first molecule.
  if (gz) writeFile(folder + "/m1.sdf", "kept\n");
  turnOn("splitIntoindividualmols");
  setText("outputFilepath", folder + "/" + c.output);
  h.press(pane, "convertFile:");

  bool zipped = gz && !c.output.ends_with(".gz");  // by the pane's box: the name gains ".gz"
  auto [before, after] = splitOutputNames(folder + "/" + c.output + (zipped ? ".gz" : ""));
  std::string files;
  int count = 0;
  for (std::string file; fileExists(file = before + std::to_string(count + 1) + after); ++count) {
    EXPECT_EQ(readFile(file).starts_with("\x1f\x8b"), gz) << file;
    files += " " + quotedPath(file);
  }
  EXPECT_EQ(obabelCount({all, "-onul"}), c.molecules);
  EXPECT_EQ(count, c.molecules) << pane.obshellCommand;
  // Compared whole, not printed: a difference would fill screens.
  EXPECT_TRUE(unzipped(files) == unzipped(quotedPath(all)))
      << "the split files differ from the unsplit run's molecules";
  EXPECT_TRUE(!gz || readFile(folder + "/m1.sdf") == "kept\n") << "the user's file is lost";
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), c.molecules + gz);
  EXPECT_THAT(h.alerts(), ::testing::IsEmpty());
}

// Open Babel 3.1.1 alone counted a range anew in each file, wrote none of a SMARTS's matches,
// crashed after the first molecule of a join, wrote 1 file for the unique molecules, and gzipped
// each file twice.
Settings withPH(Settings more) {
  more.insert(more.begin(), {{"hydrogensPop", "-p Add Hydrogens appropriate for pH"},
                             {"thePH", "7.4"},
                             {"generate2D", ""},
                             {"zipoutput", ""}});
  return more;
}

INSTANTIATE_TEST_SUITE_P(
    Obabel, SplitRuns,
    ::testing::Values(
        Split("Range", {{"convertAll", ""}, {"convertFrom", "3"}, {"convertTo", "7"}}, 5),
        Split("Join", {{"joinIntosinglemol", ""}}, 1), Split("Compressed", {{"zipoutput", ""}}, 30),
        Split("CompressedMatching",
              {{"zipoutput", ""}, {"smartsConvertoptions", "matching"}, {"smartsConvert", "[#7]"}},
              21),
        Split("DashStarNotMatching",
              {{"zipoutput", ""},
               {"smartsConvertoptions", "not_matching"},
               {"smartsConvert", "[#7]"}},
              9, "-m*x.sdf", kAutodetectRow),
        // With the format left to the name, a name ending in ".gz" compresses too.
        Split("UniqueNamedGz", {{"onlyUniquemols", ""}}, 9, "m.sdf.gz", kAutodetectRow,
              testDataPath("small.smi")),
        // A pH with coordinates goes to a run of its own, which may also filter.
        Split("PHAfterCoordinates", withPH({}), 30),
        Split("PHAndFilter", withPH({{"filterOption", ""}, {"filterProperties", "MW<200"}}), 14),
        // The run that selects the records to copy filters, with every option that changes what
        // the filter tests: without salts, two of the salted molecules are light enough.
        Split("CopiedFilter", {{"filterOption", ""}, {"filterProperties", "MW<300"}}, 25),
        Split("CopiedFilterWithoutSalts",
              {{"filterOption", ""}, {"filterProperties", "MW<70"}, {"removeSalts", ""}}, 3,
              "m.sdf", kSdfRow, testDataPath("salts.smi")),
        // 2D coordinates lose the stereo of SMILES before obabel picks the unique molecules, so
        // one run keeps L-alanine alone; the split keeps the same.
        Split("UniqueWith2D", {{"onlyUniquemols", ""}, {"generate2D", ""}}, 2, "m.sdf", kSdfRow,
              testDataPath("alanines.smi"))),
    [](const auto& info) { return info.param.name; });

// obabel's split into fast-search indexes writes empty files and puts one index beside the
// input, over whatever file has that name.
TEST_F(ConvertPaneTest, ASplitIntoIndexesIsRefusedAndTheFileBesideTheInputKept) {
  std::string input = scratch("t.sdf"), beside = scratch("t.fs");
  obabelCount({testDataPath("small.smi"), "-l", "2", "-O", input});
  writeFile(beside, "precious\n");
  for (auto [output, format] :
       {std::pair{"m.fs", kAutodetectRow}, {"m.sdf", "fs -- Fastsearch format"}}) {
    convertFiles(input, kSdfRow, scratch(output), format);
    turnOn("splitIntoindividualmols");
    auto alerts = h.alerts().size();
    h.press(pane, "convertFile:");
    ASSERT_EQ(h.alerts().size(), alerts + 1) << output;
    EXPECT_THAT(h.alerts().back().informativeText, ::testing::HasSubstr("fast-search indexes"));
  }
  EXPECT_EQ(readFile(beside), "precious\n");
  EXPECT_FALSE(fileExists(scratch("m1.fs")));
}

}  // namespace
}  // namespace molbench::testing
