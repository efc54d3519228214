// Conversions run by the real obabel on real files, checked by what obabel reads back.
#include <gmock/gmock.h>

#include <filesystem>
#include <set>
#include <sstream>

#include "ConvertFixture.h"
#include "common/Shell.h"

namespace molbench::testing {
namespace {

using ::testing::HasSubstr;
using ::testing::StartsWith;

const std::string kSdf = dataFile("cdk2-12.sdf");     // 12 molecules with 3D coordinates
const std::string kSmiles = dataFile("small.smi");    // 10 molecules, one twice, one salt
const std::string kSmallSdf = dataFile("small.sdf");  // the same in 2D, hydrogens implicit

class RealConversion : public ConvertPaneTest {
 protected:
  // Converts with the pane and answers how many molecules obabel reads from the result.
  int convert(const std::string& input, const std::string& inputFormat, const std::string& output,
              const std::string& outputFormat) {
    convertFiles(input, inputFormat, output, outputFormat);
    h.press(pane, "convertFile:");
    return obabelCount(output);
  }
  std::vector<std::string> smilesTitles(const std::string& path) {
    std::vector<std::string> titles;
    std::istringstream lines(readFile(path));
    for (std::string line; std::getline(lines, line);)
      titles.push_back(line.substr(line.find('\t') + 1));
    return titles;
  }
};

TEST_F(RealConversion, FormatsCoordinatesAndHydrogens) {
  EXPECT_EQ(convert(kSdf, "sdf -- MDL MOL format", scratch("a.smi"), "smi -- SMILES format"), 12);
  EXPECT_THAT(readFile(scratch("a.smi")), HasSubstr("\tZINC03814457\n"));

  turnOn("generate3D");
  EXPECT_EQ(convert(kSmiles, "smi -- SMILES format", scratch("b.sdf"), "sdf -- MDL MOL format"),
            10);
  EXPECT_THAT(readFile(scratch("b.sdf")), HasSubstr("3D"));
  turnOn("generate3D", false);

  h.choose(pane, "hydrogensPop", "-h Add Hydrogens");
  // No "." in the path: the format's code becomes the extension.
  convert(kSmallSdf, "sdf -- MDL MOL format", scratch("c"), "mol2 -- Sybyl Mol2 format");
  EXPECT_EQ(obabelCount(scratch("c.mol2")), 10);
  EXPECT_THAT(readFile(scratch("c.mol2")), StartsWith("@<TRIPOS>MOLECULE\nethanol\n 9 8 "));
}

TEST_F(RealConversion, SplitCompressAndRange) {
  turnOn("splitIntoindividualmols");
  std::filesystem::create_directory(scratch("split"));
  convert(kSdf, "sdf -- MDL MOL format", scratch("split/m.smi"), "smi -- SMILES format");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(scratch("split")), {}), 12);
  EXPECT_EQ(obabelCount(scratch("split/m7.smi")), 1);
  turnOn("splitIntoindividualmols", false);

  turnOn("zipoutput");
  convert(kSdf, "sdf -- MDL MOL format", scratch("z.sdf"), "sdf -- MDL MOL format");
  EXPECT_THAT(readFile(scratch("z.sdf.gz")), StartsWith("\x1f\x8b"));
  EXPECT_EQ(obabelCount(scratch("z.sdf.gz")), 12);
  turnOn("zipoutput", false);

  turnOn("convertAll", false);
  setText("convertFrom", "3");
  setText("convertTo", "5");
  EXPECT_EQ(convert(kSmiles, "smi -- SMILES format", scratch("r.smi"), "smi -- SMILES format"), 3);
  EXPECT_THAT(smilesTitles(scratch("r.smi")).front(), "benzene");
}

TEST_F(RealConversion, UniqueTitleAppendAndFilter) {
  turnOn("onlyUniquemols");
  EXPECT_EQ(convert(kSmiles, "smi -- SMILES format", scratch("u.smi"), "smi -- SMILES format"), 9);
  turnOn("onlyUniquemols", false);

  turnOn("addTitleIndex");
  setText("theTitle", "John's (1)");
  convert(kSmiles, "smi -- SMILES format", scratch("t.smi"), "smi -- SMILES format");
  EXPECT_EQ(smilesTitles(scratch("t.smi")).front(), "John's (1)");
  turnOn("addTitleIndex", false);

  turnOn("appendTotitle");
  setText("valueToappend", "MW");
  convert(kSmiles, "smi -- SMILES format", scratch("ap.smi"), "smi -- SMILES format");
  EXPECT_EQ(smilesTitles(scratch("ap.smi")).front(), "ethanol 46.0684");
  turnOn("appendTotitle", false);

  turnOn("filterOption");
  setText("filterProperties", "MW<60 title=\"ethanol\"");
  EXPECT_EQ(convert(kSmiles, "smi -- SMILES format", scratch("f.smi"), "smi -- SMILES format"), 1);
}

TEST_F(RealConversion, SmartsMatchingAndNotMatching) {
  setText("smartsConvert", "[N;!$(N=O)](C)C");
  h.choose(pane, "smartsConvertoptions", "matching");
  EXPECT_EQ(convert(kSmiles, "smi -- SMILES format", scratch("s.smi"), "smi -- SMILES format"), 1);
  EXPECT_EQ(smilesTitles(scratch("s.smi")).front(), "triethylamine");
  h.choose(pane, "smartsConvertoptions", "not_matching");
  EXPECT_EQ(convert(kSmiles, "smi -- SMILES format", scratch("v.smi"), "smi -- SMILES format"), 9);
}

// Every option row carries an option, never a word obabel would take for a file name.
TEST_F(RealConversion, EveryOptionRowPassesAnOption) {
  struct Case {
    const char* side;  // the format popup whose table is tried
    const char* format;
    const char* input;  // a file that format reads, or any molecule for output options
  };
  const std::vector<Case> cases = {
      {"inputFiletype", "pdb -- Protein Data Bank format", "m.pdb"},
      {"inputFiletype", "cif -- Crystallographic Information File", "m.cif"},
      {"inputFiletype", "sdf -- MDL MOL format", "m.sdf"},
      {"inputFiletype", "inchi -- InChI format", "m.inchi"},
      {"inputFiletype", "smi -- SMILES format", "m.smi"},
      {"inputFiletype", "mol2 -- Sybyl Mol2 format", "m.mol2"}};
  for (auto ext : {"pdb", "cif", "sdf", "inchi", "smi", "mol2"})
    shell(std::string(kObabel) + " -:'c1ccccc1O phenol' --gen3d -O '" + scratch("m.") + ext +
          "' 2>/dev/null");

  auto tryEveryRow = [&](const std::string& optionsOutlet) {
    auto rows = h.popup(pane, optionsOutlet).itemTitles();
    ASSERT_FALSE(rows.empty());
    for (size_t row = 0; row < rows.size(); ++row) {
      h.popup(pane, optionsOutlet).selectItemAtIndex(static_cast<int>(row));
      auto messages = shell(checked() + " 2>&1");
      ASSERT_TRUE(messages);
      EXPECT_THAT(*messages, ::testing::Not(HasSubstr("Cannot open"))) << rows[row];
      EXPECT_THAT(*messages, ::testing::Not(HasSubstr("OpenAndSetFormat"))) << rows[row];
      EXPECT_THAT(*messages, HasSubstr(" converted")) << rows[row];
    }
  };
  for (const auto& c : cases) {
    convertFiles(scratch(c.input), c.format, scratch("o.smi"), "smi -- SMILES format");
    h.popup(pane, "outputFileoptions").removeAllItems();
    tryEveryRow("inputFileoptions");
  }
  std::set<const Titles*> tried;
  for (const auto& row : formatTables().oFileTypes) {
    auto table = formatTables().outputOptionsFor(row);
    if (!table || !tried.insert(table).second) continue;
    convertFiles(scratch("m.sdf"), "sdf -- MDL MOL format", scratch("o"), row);
    h.popup(pane, "inputFileoptions").removeAllItems();
    tryEveryRow("outputFileoptions");
  }
}

TEST_F(RealConversion, CountShowsTheNumberOnItsOwnLine) {
  setText("inputFilepath", kSdf);
  h.press(pane, "countMols:");
  EXPECT_EQ(commandField(), "The file contains 12\nmolecules");
  EXPECT_EQ(pane.obshellresult, commandField());
  EXPECT_EQ(pane.obshellCommand,
            "/usr/bin/obabel  '" + kSdf + "'  -onul -v 'FFFFF' 2>&1 |cut -d  \" \" -f1");

  h.choose(pane, "inputFiletype", "smi -- SMILES format");
  setText("inputFilepath", kSmiles);
  h.press(pane, "countMols:");
  EXPECT_EQ(commandField(), "The file contains 10\nmolecules");
}

}  // namespace
}  // namespace molbench::testing
