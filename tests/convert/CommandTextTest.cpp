// The exact command texts that Check shows and Convert runs.
#include <gmock/gmock.h>

#include "ConvertFixture.h"

namespace molbench::testing {
namespace {

using ::testing::ElementsAre;

const std::vector<std::string> kSwitchBoxes = {"centreCordinates",
                                               "convertDativebonds",
                                               "onlyUniquemols",
                                               "joinIntosinglemol",
                                               "splitIntoindividualmols",
                                               "canonicaliseAtomorder",
                                               "zipoutput",
                                               "generate2D",
                                               "generate3D",
                                               "addTitleIndex",
                                               "appendTotitle",
                                               "filterOption",
                                               "removeSalts"};

class CommandText : public ConvertPaneTest {
 protected:
  void setUpWorkedExample() {
    h.defaults().set("pathToobabel", "/usr/local/bin/obabel");
    convertFiles("/tmp/in.sdf", "sdf -- MDL MOL format", "/tmp/out", "mol2 -- Sybyl Mol2 format");
    h.choose(pane, "hydrogensPop", "-h Add Hydrogens");
    h.choose(pane, "smartsConvertoptions", "matching");
    setText("smartsConvert", "c1ccccc1");
    turnOn("onlyUniquemols");
    turnOn("generate3D");
  }
};

TEST_F(CommandText, WorkedExampleIsExactAndCheckOnlyShowsIt) {
  setUpWorkedExample();
  const std::string expected =
      "/usr/local/bin/obabel -isdf '/tmp/in.sdf'    -omol2  -h  -O '/tmp/out'.mol2 --unique  "
      "--gen3d   -s c1ccccc1 ";
  EXPECT_EQ(expected.size(), 108u);
  EXPECT_EQ(checked(), expected);
  EXPECT_EQ(pane.obshellCommand, expected);
  EXPECT_THAT(h.diagnostics(), ElementsAre("sdf -- MDL MOL format"));

  setText("obabelText", "left alone");
  h.press(pane, "convertFile:");
  EXPECT_EQ(commandField(), "left alone");
  EXPECT_THAT(h.diagnostics(),
              ElementsAre("sdf -- MDL MOL format", "sdf -- MDL MOL format", expected));
}

TEST_F(CommandText, BlankRunsStandForEmptyPieces) {
  h.defaults().set("pathToobabel", "OB");
  convertFiles("/tmp/a.sdf", "autodetect from extension", "/tmp/b.mol",
               "autodetect from extension");
  EXPECT_EQ(checked(), "OB  '/tmp/a.sdf'        -O '/tmp/b.mol'");
  EXPECT_TRUE(h.diagnostics().empty());

  h.defaults().remove("pathToobabel");
  EXPECT_EQ(checked().substr(0, 18), "Need obabel Path  ");
  h.defaults().set("pathToobabel", "");
  EXPECT_EQ(checked().substr(0, 3), "  '");
}

TEST_F(CommandText, OutputExtensionFollowsThePathNotTheQuotes) {
  h.defaults().set("pathToobabel", "OB");
  convertFiles("/tmp/a.sdf", "autodetect from extension", "/tmp/out", "smi -- SMILES format");
  EXPECT_THAT(checked(), ::testing::EndsWith("-O '/tmp/out'.smi"));
  turnOn("zipoutput");
  EXPECT_THAT(checked(), ::testing::EndsWith("-O '/tmp/out'.gz -z "));
  turnOn("zipoutput", false);
  setText("outputFilepath", "/tmp/data.old/out");
  EXPECT_THAT(checked(), ::testing::EndsWith("-O '/tmp/data.old/out'"));
  setText("outputFilepath", "/tmp/it's");
  EXPECT_THAT(checked(), ::testing::EndsWith("-O '/tmp/it'\\''s'.smi"));
  // With the format left to the extension, an earlier format's code is no guess to make.
  h.choose(pane, "outputFiletype", "autodetect from extension");
  EXPECT_THAT(checked(), ::testing::EndsWith("-O '/tmp/it'\\''s'"));
}

TEST_F(CommandText, SwitchesAndRangeLeaveNothingBehindWhenTurnedOff) {
  h.defaults().set("pathToobabel", "OB");
  convertFiles("/tmp/a.sdf", "autodetect from extension", "/tmp/b.smi",
               "autodetect from extension");
  const std::string plain = checked();

  for (const auto& box : kSwitchBoxes) turnOn(box);
  setText("theTitle", "T");
  setText("valueToappend", "MW");
  setText("filterProperties", "MW<130");
  h.choose(pane, "smartsConvertoptions", "not_matching");
  setText("smartsConvert", "[#7]");
  turnOn("convertAll", false);
  setText("convertFrom", "2");
  setText("convertTo", "5");
  EXPECT_EQ(checked(),
            "OB  '/tmp/a.sdf'  -f 2 -l 5     -O '/tmp/b.smi'.gz -c  -b  --unique  --join  -m  "
            "--canonical   -z  --gen2d   --gen3d   --title  T  -r  -v '[#7]'  --append \"MW\"  "
            "--filter \"MW<130\"");

  for (const auto& box : kSwitchBoxes) turnOn(box, false);
  turnOn("convertAll");
  h.choose(pane, "smartsConvertoptions", "Choose");
  EXPECT_EQ(checked(), plain);
  EXPECT_EQ(pane.zipfileextension, ".gz");
  EXPECT_EQ(pane.oTitle, "T");
  EXPECT_EQ(pane.toappend, "MW");
}

TEST_F(CommandText, OptionsHydrogensAndPh) {
  h.defaults().set("pathToobabel", "OB");
  convertFiles("/tmp/a.smi", "smi -- SMILES format", "/tmp/b.sdf", "sdf -- MDL MOL format");
  h.choose(pane, "inputFileoptions", "-aa Preserve aromaticity present in the SMILES");
  h.choose(pane, "outputFileoptions", "-x3  output V3000 (used for >999 atoms/bonds)");
  h.choose(pane, "hydrogensPop", "-p Add Hydrogens appropriate for pH");
  setText("thePH", "7.4");
  EXPECT_EQ(checked(), "OB -ismi '/tmp/a.smi' -aa   -osdf -x3 -p 7.4 -O '/tmp/b.sdf'");
  // A pH that is no plain number reaches obabel as one word, whatever it holds.
  setText("thePH", "7 4");
  EXPECT_THAT(checked(), ::testing::HasSubstr(" -p '7 4' -O "));
}

TEST_F(CommandText, RunHandsTheFieldToTheShellAsItStands) {
  std::string marker = scratch("ran");
  setText("obabelText", "echo edited > '" + marker + "'");
  h.press(pane, "runObabelcommand:");
  EXPECT_EQ(readFile(marker), "edited\n");
  EXPECT_EQ(pane.obshellCommand, "echo edited > '" + marker + "'");
  EXPECT_TRUE(pane.obabelPath.empty());
}

}  // namespace
}  // namespace molbench::testing
