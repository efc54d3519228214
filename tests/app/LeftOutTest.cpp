// obabel leaves molecules out and still exits 0, saying so in one line (Confab's on standard
// output). Each pane that writes such a run's file says it with obabel's words.
#include <gmock/gmock.h>

#include <sstream>

#include "TestSupport.h"
#include "convert/Convertcontroller.h"
#include "platform/headless/Harness.h"
#include "search/SearchViewController.h"
#include "tools/obconfabviewcontroller.h"
#include "tools/obgenviewcontroller.h"

namespace molbench::testing {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

constexpr const char* kNoCoordinates = "obabel left molecules without 3D coordinates";

class LeftOut : public ::testing::Test {
 protected:
  LeftOut() { h.defaults().set("pathToobabel", kObabel); }
  std::string scratch(const std::string& name) { return h.temporaryDirectory() + "/" + name; }
  // A fresh pane reading the input and writing the scratch file `output`.
  template <class Pane>
  Pane& pane(const std::string& identifier, const std::string& input, const std::string& output) {
    auto& made = h.make<Pane>(identifier);
    h.field(made, "inputFilepath").setText(input);
    h.field(made, "outputFilepath").setText(scratch(output));
    return made;
  }
  void obgen(const std::string& speed, const std::string& molecules, const std::string& output,
             const std::string& input = "in.smi") {
    writeFile(scratch(input), molecules);
    auto& obgen = pane<obgenviewcontroller>("obgen", scratch(input), output);
    h.choose(obgen, "performance", speed);
    h.press(obgen, "runObgen:");
  }
  // The `count`th alert is the last, with this title and these words.
  void expectSaid(const std::string& title, const std::vector<std::string>& words,
                  size_t count = 1) {
    ASSERT_EQ(h.alerts().size(), count);
    EXPECT_EQ(h.alerts().back().messageText, title) << h.alerts().back().informativeText;
    for (const auto& word : words) EXPECT_THAT(h.alerts().back().informativeText, HasSubstr(word));
  }
  headless::Harness h;
};

// obabel stops at its 4,000th candidate, "after 3999 molecules" counted from 0: an index of
// exactly 4,000 (all candidates for "C") was searched whole, one of 4,001 was not.
TEST_F(LeftOut, AnIndexSearchStopsAt4000CandidatesWithMoleculesLeftUnseen) {
  size_t said = 0;
  for (int count : {4000, 4001, 4999}) {
    // The index names its molecule file by its name alone, in the index's folder.
    std::string name = "nci" + std::to_string(count);
    std::istringstream nci(readFile("/usr/share/RDKit/Data/NCI/first_5K.smi"));
    std::string molecules;
    for (std::string line; count-- > 0 && std::getline(nci, line);) molecules += line + "\n";
    writeFile(scratch(name + ".smi"), molecules);
    obabelCount({scratch(name + ".smi"), "-ofs", "-O", scratch(name + ".fs")});
    auto& search = pane<SearchViewController>("SearchViewController", "", name + ".out.smi");
    h.field(search, "fssearchPath").setText(scratch(name + ".fs"));
    h.choose(search, "smartsSearchoptions", "matching");
    h.field(search, "smartsSearch").setText("C");
    h.press(search, "runFSsearch:");
    if (name == "nci4000") {
      EXPECT_TRUE(h.alerts().empty()) << h.alerts().front().informativeText;
      EXPECT_EQ(obabelCount({scratch(name + ".out.smi"), "-onul"}),
                obabelCount({scratch(name + ".smi"), "-s", "C", "-onul"}));
    } else {
      expectSaid("obabel searched only part of the index",
                 {"Stopped looking after 3999 molecules.", "\"Search file\""}, ++said);
    }
  }
}

// Morpholine's diselenide: MMFF94, Confab's force field, has no type for selenium.
TEST_F(LeftOut, ConfabSkipsWhatItsForceFieldCannotType) {
  writeFile(scratch("in.smi"), "CCO\nC1CN(CCO1)[Se][Se]N2CCOCC2\nCCCCO\n");
  h.press(pane<obconfabviewcontroller>("obconfab", scratch("in.smi"), "out.sdf"), "runobConfab:");
  // Confab's line, not obabel's counts of its two runs, which count none of the conformers.
  expectSaid("obabel left molecules out",
             {"Its last error lines:\n!!Cannot set up forcefield for this molecule"});
  EXPECT_THAT(h.alerts()[0].informativeText, Not(HasSubstr("converted")));
}

// Open Babel 3.1.1 makes no coordinates at these speeds and warns only when it writes SD or Mol2.
// SMILES, canonical SMILES and InChI hold none, as obabel reads them back, whatever the speed:
// a file of them lacks nothing.
TEST_F(LeftOut, ObgenAtItsFastestSpeedsMakesNoCoordinates) {
  struct Case {
    const char* speed;
    const char* output;
    bool said;
  };
  size_t said = 0;
  for (const auto& c : {Case{"--fastest", "a.sdf", true}, Case{"--fast", "b.sdf", true},
                        Case{"--fast", "c.xyz", true}, Case{"--fast", "d.smi", false},
                        Case{"--fastest", "e.can", false}, Case{"--fast", "f.inchi", false}}) {
    obgen(c.speed, "CCO\nCC\n", c.output);
    if (c.said)
      expectSaid(kNoCoordinates, {"\"" + scratch(c.output) + "\"", "any of the molecules"}, ++said);
    else
      EXPECT_EQ(h.alerts().size(), said) << c.output << ": " << h.alerts().back().informativeText;
  }
}

// At those speeds obabel writes each molecule with the input's own coordinates: 3D ones stay
// (benzene and carbon dioxide in the plane z = 0 too, as their "3D" header gives them, and a
// chloride ion at the origin), 2D ones stay 2D and are said, as "some" only beside molecules that
// are fine.
TEST_F(LeftOut, ObgenAtFastSaysOnly2DMoleculesNotPlanar3DOnes) {
  std::string drawn = runForOutput(std::string(kObabel) +
                                   " '-:c1ccccc1 benzene' '-:O=C=O co2' --gen2D -osdf 2>/dev/null");
  std::string planar = drawn;
  for (size_t at = planar.find("2D\n"); at != std::string::npos; at = planar.find("2D\n", at))
    planar.replace(at, 2, "3D");
  std::string drugs = readFile(testDataPath("cdk2-12.sdf"));
  drugs = drugs.substr(0, drugs.find("$$$$\n", drugs.find("$$$$\n") + 1) + 5);
  std::string chloride =
      "chloride\n OpenBabel12082600153D\n\n  1  0  0  0  0  0  0  0  0  0999 V2000\n"
      "    0.0000    0.0000    0.0000 Cl  0  5  0  0  0  0  0  0  0  0  0  0\n"
      "M  CHG  1   1  -1\nM  END\n$$$$\n";
  for (const char* output : {"p3.sdf", "p3.xyz", "p3.mol2", "p3.smi", "p3.can", "p3.inchi"})
    obgen("--fast", planar + drugs + chloride, output, "p.sdf");
  EXPECT_TRUE(h.alerts().empty()) << h.alerts().front().informativeText;
  obgen("--fast", drawn, "d.xyz", "d.sdf");
  expectSaid(kNoCoordinates, {"any of the molecules"});
  obgen("--fastest", drugs + drawn, "m.xyz", "m.sdf");
  expectSaid(kNoCoordinates, {"for some molecules", "for the others is kept"}, 2);
}

// obabel quotes the first title in a kekulize warning, and makes coordinates for both.
TEST_F(LeftOut, ATitleObabelQuotesSaysNothing) {
  obgen("--medium", "c1cccc1 3D coordinate generation failed\nCCO\n", "out.sdf");
  EXPECT_TRUE(h.alerts().empty()) << h.alerts().front().informativeText;
}

TEST_F(LeftOut, ASplitNamesItsNumberedFiles) {
  // NCI's fourth molecule read from Mol2 gets no 3D coordinates.
  obabelCount({"/usr/share/RDKit/Data/NCI/first_200.props.sdf", "-f", "3", "-l", "4", "-O",
               scratch("nci.mol2")});
  auto& convert = pane<Convertcontroller>("Convertcontroller", scratch("nci.mol2"), "m.sdf");
  h.choose(convert, "outputFiletype", "sdf -- MDL MOL format");
  h.button(convert, "generate3D").setOn(true);
  h.button(convert, "splitIntoindividualmols").setOn(true);
  h.press(convert, "convertFile:");
  expectSaid(kNoCoordinates, {"/m1.sdf\", \"", "/m2.sdf\" and so on"});
}

// A format that holds no coordinates has lost nothing by a molecule left without them, whether
// the popup or the output's name gives the format.
TEST_F(LeftOut, ConvertIntoAFormatWithoutCoordinatesSaysNothing) {
  obabelCount({"/usr/share/RDKit/Data/NCI/first_200.props.sdf", "-f", "3", "-l", "4", "-O",
               scratch("nci.mol2")});
  struct Case {
    const char* popup;
    const char* output;
    bool said;
  };
  size_t said = 0;
  for (auto c : {Case{"smi -- SMILES format", "a.smi", false}, Case{nullptr, "b.can", false},
                 Case{nullptr, "c.inchi", false}, Case{nullptr, "d.xyz", true}}) {
    auto& convert = pane<Convertcontroller>("Convertcontroller", scratch("nci.mol2"), c.output);
    if (c.popup) h.choose(convert, "outputFiletype", c.popup);
    h.button(convert, "generate3D").setOn(true);
    h.press(convert, "convertFile:");
    if (c.said)
      expectSaid(kNoCoordinates, {c.output}, ++said);
    else
      EXPECT_EQ(h.alerts().size(), said) << c.output << ": " << h.alerts().back().informativeText;
  }
}

}  // namespace
}  // namespace molbench::testing
