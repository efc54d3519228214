// Conversions run by the real obabel on real files, checked by what obabel reads back.
#include <gmock/gmock.h>

#include <filesystem>

#include "ConvertFixture.h"
#include "common/OutputGuard.h"
#include "common/ShellQuote.h"

namespace molbench::testing {
namespace {

using ::testing::AllOf;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::Not;
using ::testing::StartsWith;

const std::string kSdf = testDataPath("cdk2-12.sdf");     // 12 molecules with 3D coordinates
const std::string kSmiles = testDataPath("small.smi");    // 10 molecules, one twice, one salt
const std::string kSmallSdf = testDataPath("small.sdf");  // the same in 2D, hydrogens implicit

struct Conversion {
  std::string name;
  Settings settings;
  std::string input, output, outputFormat;
  std::string result;  // the file obabel wrote, when it is not the output path
  int molecules;
  ::testing::Matcher<std::string> content;
  long filesWritten = 1;
};

using SetControls = ConvertPaneTest;

class RealConversion : public ConvertPaneTest, public ::testing::WithParamInterface<Conversion> {};

TEST_P(RealConversion, WritesWhatObabelReadsBack) {
  const Conversion& c = GetParam();
  apply(c.settings);
  convertFiles(c.input, c.input.ends_with(".smi") ? kSmiRow : kSdfRow, scratch(c.output),
               c.outputFormat);
  h.press(pane, "convertFile:");
  std::string result = scratch(c.result.empty() ? c.output : c.result);
  EXPECT_EQ(obabelCount({result, "-onul"}), c.molecules) << pane.obshellCommand;
  EXPECT_THAT(readFile(result), c.content);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(h.temporaryDirectory()), {}),
            c.filesWritten);
  EXPECT_THAT(h.alerts(), IsEmpty()) << "obabel's warnings and empty results are no failure";
}

// obabel reached through a link in a folder whose name holds a blank and a quote: the stored
// path heads the command as one word, and obabel still finds its formats.
TEST_F(ConvertPaneTest, ConvertsWithObabelInAFolderWhoseNameNeedsQuoting) {
  std::string folder = scratch("Open Babel's bin");
  std::filesystem::create_directory(folder);
  std::filesystem::create_symlink(kObabel, folder + "/obabel");
  useObabel(folder + "/obabel");
  convertFiles(kSdf, kSdfRow, scratch("out.smi"), kSmiRow);
  h.press(pane, "convertFile:");
  EXPECT_EQ(obabelCount({scratch("out.smi"), "-onul"}), 12) << pane.obshellCommand;
}

const std::string kSmarts = "[N;!$(N=O)](C)C";

INSTANTIATE_TEST_SUITE_P(
    Obabel, RealConversion,
    ::testing::Values(
        Conversion("SdfToSmiles", {}, kSdf, "a.smi", kSmiRow, "", 12,
                   StartsWith("CC(C)C(=O)COc1c2c([nH]cn2)nc(n1)N\tZINC03814457\n")),
        // Two small molecules, as 3D generation is slow. An empty bound is an open end.
        Conversion("SmilesTo3D", {{"generate3D", ""}, {"convertAll", ""}, {"convertTo", "2"}},
                   kSmiles, "b.sdf", kSdfRow, "", 2,
                   AllOf(StartsWith("ethanol\n OpenBabel"), HasSubstr("3D\n"))),
        // No "." in the path: the format's code becomes the extension.
        Conversion("HydrogensIntoMol2", {{"hydrogensPop", "-h Add Hydrogens"}}, kSmallSdf, "c",
                   "mol2 -- Sybyl Mol2 format", "c.mol2", 10,
                   StartsWith("@<TRIPOS>MOLECULE\nethanol\n 9 8 ")),
        Conversion("Split", {{"splitIntoindividualmols", ""}}, kSdf, "m.smi", kSmiRow, "m7.smi", 1,
                   HasSubstr("\tZINC"), 12),
        Conversion("Compressed", {{"zipoutput", ""}}, kSdf, "z.sdf", kSdfRow, "z.sdf.gz", 12,
                   StartsWith("\x1f\x8b")),
        Conversion("RangeToTheEnd", {{"convertAll", ""}, {"convertFrom", "10"}}, kSdf, "r.smi",
                   kSmiRow, "", 3, HasSubstr("\tZINC")),
        Conversion("NothingMatches",
                   {{"smartsConvertoptions", "matching"}, {"smartsConvert", "[Xe]"}}, kSmiles,
                   "n.smi", kSmiRow, "", 0, IsEmpty()),
        // The Qt suite converts a range 3 to 5 through the widgets.
        Conversion("Unique", {{"onlyUniquemols", ""}}, kSmiles, "u.smi", kSmiRow, "", 9,
                   StartsWith("CCO\tethanol\nc1ccccc1\tbenzene\n")),
        Conversion("Title", {{"addTitleIndex", ""}, {"theTitle", "John's (1)"}}, kSmiles, "t.smi",
                   kSmiRow, "", 10, StartsWith("CCO\tJohn's (1)\n")),
        Conversion("Append", {{"appendTotitle", ""}, {"valueToappend", "MW"}}, kSmiles, "ap.smi",
                   kSmiRow, "", 10, StartsWith("CCO\tethanol 46.0684\n")),
        Conversion("Filter",
                   {{"filterOption", ""}, {"filterProperties", "MW<60 title=\"ethanol\""}}, kSmiles,
                   "f.smi", kSmiRow, "", 1, StartsWith("CCO\tethanol\n")),
        Conversion("Matching", {{"smartsConvertoptions", "matching"}, {"smartsConvert", kSmarts}},
                   kSmiles, "s.smi", kSmiRow, "", 1, StartsWith("CCN(CC)CC\ttriethylamine\n"))),
    [](const auto& info) { return info.param.name; });

// obabel loses a pH applied in the run that makes coordinates: they are made first and the pH
// applied in a second run, so what is appended and filtered is the charged molecule's
// (ethylamine's MW is 45.08 neutral, 46.09 charged). obabel splits only a file, never a pipe.
// After another hydrogen row obabel read the pH text as one more input file.
TEST_F(SetControls, PHSurvivesCoordinatesAndIsNoInputFileAfterAnotherRow) {
  writeFile(scratch("acid base.smi"), "CCN ethylamine\nCC(=O)O acetic acid\n");
  writeFile(scratch("7.smi"), "CCCl chloroethane\n");
  setText("thePH", scratch("7.smi"));
  convertFiles(scratch("acid base.smi"), kSmiRow, scratch("out.smi"), kSmiRow);
  for (auto row : {"Choose", "-d Delete Hydrogens", "-h Add Hydrogens",
                   "--AddPolarH Add hydrogen to polar atoms"}) {
    apply("hydrogensPop", row);
    h.press(pane, "convertFile:");
    EXPECT_EQ(obabelCount({scratch("out.smi"), "-onul"}), 2) << pane.obshellCommand;
  }
  apply("hydrogensPop", "-p Add Hydrogens appropriate for pH");
  apply("thePH", "7.4");
  const std::string charged = "CC[NH3+]\tethylamine\nCC(=O)[O-]\tacetic acid\n";
  const Settings afterPH = {{"generate3D", ""},    {"zipoutput", ""},
                            {"appendTotitle", ""}, {"valueToappend", "MW"},
                            {"filterOption", ""},  {"filterProperties", "MW>46"}};
  const std::tuple<Settings, std::string, std::string, std::string> cases[] = {
      {{{"generate3D", ""}}, "3d.sdf", "3d.sdf", charged},
      {{{"generate2D", ""}, {"splitIntoindividualmols", ""}}, "m.sdf", "m1.sdf m2.sdf", charged},
      {afterPH, "z.sdf", "z.sdf.gz",
       "CC[NH3+]\tethylamine 46.0916\nCC(=O)[O-]\tacetic acid 59.044\n"}};
  for (const auto& [settings, output, results, smiles] : cases) {
    apply(settings);
    convertFiles(scratch("acid base.smi"), kSmiRow, scratch(output), kAutodetectRow);
    h.press(pane, "convertFile:");
    EXPECT_EQ(
        runForOutput("cd " + quotedPath(temp()) + " && " + kObabel + " " + results + " -osmi 2>&-"),
        smiles)
        << pane.obshellCommand;
    apply(settings);  // the boxes back off
  }
  EXPECT_THAT(h.alerts(), IsEmpty());
}

// A first run that fails is the command's failure, though the second exits 0.
TEST_F(SetControls, AFailingCoordinateRunIsSaid) {
  writeFile(scratch("ob"),
            "#!/bin/bash\ncase \"$*\" in *--gen*) exit 3;; esac\nexec /usr/bin/obabel \"$@\"\n");
  runForOutput("chmod +x " + quotedPath(scratch("ob")));
  useObabel(scratch("ob"));
  apply("hydrogensPop", "-p Add Hydrogens appropriate for pH");
  apply("generate2D", "");
  convertFiles(kSmiles, kSmiRow, scratch("out.sdf"), kSdfRow);
  for (bool split : {false, true}) {
    turnOn("splitIntoindividualmols", split);
    h.press(pane, "convertFile:");
    ASSERT_EQ(h.alerts().size(), split ? 2u : 1u) << pane.obshellCommand;
    EXPECT_EQ(h.alerts().back().messageText, "obabel failed");
  }
  // Without a pH, a split under a selection makes the coordinates in its selecting run.
  apply({{"hydrogensPop", "Choose"}, {"smartsConvertoptions", "matching"}, {"smartsConvert", "C"}});
  h.press(pane, "convertFile:");
  ASSERT_EQ(h.alerts().size(), 3u) << pane.obshellCommand;
  EXPECT_EQ(h.alerts().back().messageText, "obabel failed");
}

// NCI's fourth molecule read from Mol2: obabel says "3D coordinate generation failed", writes it
// flat and exits 0, alone or in the first of the runs a pH and a split take.
TEST_F(SetControls, AMoleculeLeftWithoutCoordinatesIsSaidAndTheFileKept) {
  obabelCount({kNci, "-f", "3", "-l", "4", "-O", scratch("nci.mol2")});
  apply("generate3D", "");
  convertFiles(scratch("nci.mol2"), kAutodetectRow, scratch("one.sdf"), kSdfRow);
  h.press(pane, "convertFile:");
  apply({{"hydrogensPop", "-p Add Hydrogens appropriate for pH"},
         {"thePH", "7.4"},
         {"splitIntoindividualmols", ""},
         {"outputFilepath", scratch("m.sdf")}});
  h.press(pane, "convertFile:");
  EXPECT_EQ(obabelCount({scratch("one.sdf"), scratch("m2.sdf"), "-onul"}), 3);
  ASSERT_EQ(h.alerts().size(), 2u) << pane.obshellCommand;
  for (const auto& alert : h.alerts())
    EXPECT_EQ(alert.messageText, "obabel left molecules without 3D coordinates");
}

// obabel that cannot write says so and exits 0 unread; the first run then dies of the broken
// pipe, which is no crash of its own.
TEST_F(SetControls, ASecondRunThatCannotWriteIsNamedWithItsOwnError) {
  apply({{"hydrogensPop", "-p Add Hydrogens appropriate for pH"},
         {"thePH", "7.4"},
         {"generate2D", ""}});
  std::string output = scratch(std::string(300, 'x') + ".sdf");  // too long for a file name
  convertFiles(kNci, kSdfRow, output, kSdfRow);
  h.press(pane, "convertFile:");
  ASSERT_EQ(h.alerts().size(), 1u) << pane.obshellCommand;
  EXPECT_EQ(h.alerts()[0].messageText, "The second obabel run failed");
  EXPECT_THAT(h.alerts()[0].informativeText,
              AllOf(HasSubstr("Cannot write to " + output), Not(HasSubstr("signal"))));
}

using SplitRun = ConvertPaneTest;

// obabel -m writes one file per molecule under numbered names, and the first may be the input.
TEST_F(SplitRun, TheNumberedNamesAreObabelsAndAnInputAmongThemIsRefused) {
  std::filesystem::create_directories(scratch("names"));
  for (std::string name : {"mol.sdf", "noext", "a.b.sdf", "c.sdf.gz", "f.gz", "e.GZ", "m*x.sdf",
                           "m*x.sdf.gz", "x.gzip.sdf"}) {
    auto [before, after] = splitOutputNames(scratch("names/" + name));
    obabelCount({kSmallSdf, "-osdf", "-m", "-O", scratch("names/" + name)});
    EXPECT_TRUE(fileExists(before + "1" + after) && fileExists(before + "10" + after)) << name;
  }
  std::string input = scratch("mol1.sdf");
  writeFile(input, readFile(kSdf));
  turnOn("splitIntoindividualmols");
  convertFiles(input, kSdfRow, scratch("mol.sdf"), kSdfRow);
  h.press(pane, "convertFile:");
  h.press(pane, "checkObabel:");
  ASSERT_EQ(h.alerts().size(), 2u);
  EXPECT_THAT(h.alerts()[1].informativeText, HasSubstr("\"" + input + "\" is an input"));
  EXPECT_EQ(readFile(input), readFile(kSdf));
  EXPECT_EQ(commandField(), "");
}

// Runs in which obabel would empty the kept output, then read or filter by nothing and exit 0,
// are refused first: a SMARTS filter with no usable pattern, and SD text named ".fs" (in any
// case), which obabel takes for its index and searches for a minute. Such an input runs with a
// chosen format; a real index (its hits read from the molecule file beside it) still runs.
TEST_F(ConvertPaneTest, RunsThatWouldEmptyTheKeptOutputForNothingAreRefused) {
  const std::string output = scratch("kept.smi");
  writeFile(output, "kept\n");
  convertFiles(kSmiles, kSmiRow, output, kSmiRow);
  for (std::string pattern : {"  ", "C("}) {
    h.choose(pane, "smartsConvertoptions", pattern == "C(" ? "matching" : "not_matching");
    setText("smartsConvert", pattern);
    for (auto action : {"convertFile:", "checkObabel:"}) h.press(pane, action);
  }
  h.choose(pane, "smartsConvertoptions", "Choose");
  for (const std::string name : {"mols.FS", "fs"}) {
    convertFiles(molecules(name), kAutodetectRow, output, kSmiRow);
    for (auto action : {"convertFile:", "checkObabel:", "countMols:"}) h.press(pane, action);
  }
  ASSERT_EQ(h.alerts().size(), 10u);
  EXPECT_EQ(h.alerts()[1].messageText, "Type a SMARTS pattern");
  EXPECT_THAT(h.alerts()[2].informativeText, HasSubstr("C( cannot be interpreted as either"));
  EXPECT_EQ(h.alerts().back().messageText, "Choose the input's format or rename the file");
  EXPECT_THAT(h.alerts().back().informativeText, HasSubstr("\"" + scratch("fs") + "\" as a fast"));
  EXPECT_EQ(readFile(output) + commandField(), "kept\n");
  h.choose(pane, "inputFiletype", kSdfRow);
  h.press(pane, "convertFile:");
  EXPECT_EQ(obabelCount({output, "-onul"}), 10) << pane.obshellCommand;
  obabelCount({molecules("lib.sdf"), "-ofs", "-O", scratch("real.fs")});
  convertFiles(scratch("real.fs"), kAutodetectRow, output, kSmiRow);
  h.choose(pane, "smartsConvertoptions", "matching");
  setText("smartsConvert", "N");
  h.press(pane, "convertFile:");
  EXPECT_EQ(obabelCount({output, "-onul"}), obabelCount({kSmallSdf, "-onul", "-s", "N"}));
  EXPECT_EQ(h.alerts().size(), 10u);
}

// Given a real index, obabel reads the query as its index search does; one it cannot read would
// empty the kept output. A molecule file still takes the same pattern as a SMARTS.
TEST_F(ConvertPaneTest, AnIndexInputTakesOnlyAQueryTheIndexSearchReads) {
  const std::string output = scratch("kept.smi");
  writeFile(output, "kept\n");
  obabelCount({molecules("lib.sdf"), "-ofs", "-O", scratch("lib.fs")});
  convertFiles(scratch("lib.fs"), kAutodetectRow, output, kSmiRow);
  apply({{"smartsConvertoptions", "matching"}, {"smartsConvert", "[CX3](=O)[OX2H1]"}});
  h.press(pane, "convertFile:");
  ASSERT_EQ(h.alerts().size(), 1u);
  EXPECT_THAT(h.alerts()[0].informativeText, HasSubstr("The file search takes any SMARTS"));
  EXPECT_EQ(readFile(output), "kept\n");
  convertFiles(kSmallSdf, kSdfRow, output, kSmiRow);
  h.press(pane, "convertFile:");
  EXPECT_EQ(obabelCount({output, "-onul"}), 1) << "benzoic acid";
}

}  // namespace
}  // namespace molbench::testing
