// obabel leaves molecules out and still exits 0, saying so in one line (Confab's on standard
// output). Each pane that writes such a run's file says it with obabel's words.
#include <gmock/gmock.h>

#include "TestSupport.h"
#include "convert/Convertcontroller.h"
#include "platform/headless/Harness.h"
#include "search/SearchViewController.h"
#include "tools/obconfabviewcontroller.h"
#include "tools/obgenviewcontroller.h"

namespace molbench::testing {
namespace {

using ::testing::HasSubstr;

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
  void obgen(const std::string& speed, const std::string& smiles, const std::string& output) {
    writeFile(scratch("in.smi"), smiles);
    auto& obgen = pane<obgenviewcontroller>("obgen", scratch("in.smi"), output);
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

TEST_F(LeftOut, AnIndexSearchStopsAt4000Candidates) {
  // The index names its molecule file by its name alone, in the index's folder.
  writeFile(scratch("nci.smi"), readFile("/usr/share/RDKit/Data/NCI/first_5K.smi"));
  obabelCount({scratch("nci.smi"), "-ofs", "-O", scratch("nci.fs")});
  auto& search = pane<SearchViewController>("SearchViewController", "", "out.smi");
  h.field(search, "fssearchPath").setText(scratch("nci.fs"));
  h.choose(search, "smartsSearchoptions", "matching");
  h.field(search, "smartsSearch").setText("C");
  h.press(search, "runFSsearch:");
  expectSaid("obabel searched only part of the index",
             {"Stopped looking after 3999 molecules.", "\"Search file\""});
}

// Morpholine's diselenide: MMFF94, Confab's force field, has no type for selenium.
TEST_F(LeftOut, ConfabSkipsWhatItsForceFieldCannotType) {
  writeFile(scratch("in.smi"), "CCO\nC1CN(CCO1)[Se][Se]N2CCOCC2\nCCCCO\n");
  h.press(pane<obconfabviewcontroller>("obconfab", scratch("in.smi"), "out.sdf"), "runobConfab:");
  expectSaid("obabel left molecules out",
             {"It wrote \"!!Cannot set up forcefield for this molecule\"."});
}

// Open Babel 3.1.1 makes no coordinates at these speeds and warns only when it writes SD or Mol2.
TEST_F(LeftOut, ObgenAtItsFastestSpeedsMakesNoCoordinates) {
  size_t said = 0;
  for (const auto& [speed, output] :
       {std::pair{"--fastest", "a.sdf"}, {"--fast", "b.sdf"}, {"--fast", "c.xyz"}}) {
    obgen(speed, "CCO\n", output);
    expectSaid(kNoCoordinates, {"\"" + scratch(output) + "\""}, ++said);
  }
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

}  // namespace
}  // namespace molbench::testing
