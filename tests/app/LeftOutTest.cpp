// obabel leaves molecules out of what a run is for and still exits 0, saying so in one line on
// standard error or, from Confab, on standard output. Each pane that writes such a run's file
// says it with obabel's words; a title obabel quotes in a warning says nothing.
#include <gmock/gmock.h>

#include <functional>

#include "TestSupport.h"
#include "common/FormatTables.h"
#include "convert/Convertcontroller.h"
#include "platform/headless/Harness.h"
#include "search/SearchViewController.h"
#include "tools/obconfabviewcontroller.h"
#include "tools/obgenviewcontroller.h"

namespace molbench::testing {
namespace {

using ::testing::AllOf;
using ::testing::HasSubstr;
using ::testing::Not;

struct LeftOutRun {
  headless::Harness h;
  LeftOutRun() { h.defaults().set("pathToobabel", kObabel); }
  std::string scratch(const std::string& name) { return h.temporaryDirectory() + "/" + name; }
  // A SMILES file in the scratch folder.
  std::string smiles(const std::string& name, const std::string& lines) {
    writeFile(scratch(name), lines);
    return scratch(name);
  }
  void obgen(const std::string& speed, const std::string& input,
             const std::string& output = "out.sdf") {
    auto& pane = h.make<obgenviewcontroller>("obgen");
    h.field(pane, "inputFilepath").setText(input);
    h.field(pane, "outputFilepath").setText(scratch(output));
    h.choose(pane, "performance", speed);
    h.press(pane, "runObgen:");
  }
};

// Morpholine's diselenide: MMFF94, Confab's force field, has no type for selenium.
const std::string kWithDiselenide =
    "CCCCCCO hexanol\nC1CN(CCO1)[Se][Se]N2CCOCC2 diselenide\nCCCCO butanol\n";

struct LeftOutCase {
  std::string name;
  std::function<void(LeftOutRun&)> run;
  std::string title;  // "" for no alert
  std::vector<std::string> words = {}, notWords = {};
};

const LeftOutCase kCases[] = {
    {"IndexSearchStopsAt4000Candidates",
     [](LeftOutRun& r) {
       // The index names its molecule file by its name alone, in the index's folder.
       std::string nci = r.scratch("nci.smi"), index = r.scratch("nci.fs");
       writeFile(nci, readFile("/usr/share/RDKit/Data/NCI/first_5K.smi"));
       ASSERT_EQ(obabelCount({nci, "-ofs", "-O", index}), 4999);
       auto& pane = r.h.make<SearchViewController>("SearchViewController");
       r.h.field(pane, "fssearchPath").setText(index);
       r.h.field(pane, "outputFilepath").setText(r.scratch("out.smi"));
       r.h.choose(pane, "smartsSearchoptions", "matching");
       r.h.field(pane, "smartsSearch").setText("C");
       r.h.press(pane, "runFSsearch:");
       // 4,501 of them hold carbon, as the file search finds.
       EXPECT_EQ(obabelCount({r.scratch("out.smi"), "-onul"}), 3618);
     },
     "obabel searched only part of the index",
     {"Stopped looking after 3999 molecules.", "\"Search file\""}},
    {"ConfabSkipsWhatItsForceFieldCannotType",
     [](LeftOutRun& r) {
       auto& pane = r.h.make<obconfabviewcontroller>("obconfab");
       r.h.field(pane, "inputFilepath").setText(r.smiles("in.smi", kWithDiselenide));
       r.h.field(pane, "outputFilepath").setText(r.scratch("out.sdf"));
       r.h.press(pane, "runobConfab:");
       std::string conformers = readFile(r.scratch("out.sdf"));
       EXPECT_THAT(conformers, AllOf(HasSubstr("hexanol\n"), HasSubstr("butanol\n"),
                                     Not(HasSubstr("diselenide"))));
     },
     "obabel left molecules out",
     {"It wrote \"!!Cannot set up forcefield for this molecule\"."}},
    {"ObgenFastWritesNoCoordinates",
     [](LeftOutRun& r) { r.obgen("--fast", r.smiles("in.smi", kWithDiselenide)); },
     "obabel left molecules without 3D coordinates",
     {"No 2D or 3D coordinates exist"}},
    {"ObgenFastestWritesNoCoordinates",
     [](LeftOutRun& r) { r.obgen("--fastest", r.smiles("in.smi", kWithDiselenide)); },
     "obabel left molecules without 3D coordinates",
     {"No 2D or 3D coordinates exist"}},
    {"ObgenFastIntoXyzIsReadBack",  // obabel warns only when it writes SD or Mol2
     [](LeftOutRun& r) { r.obgen("--fast", r.smiles("in.smi", "CCO\n"), "out.xyz"); },
     "obabel left molecules without 3D coordinates",
     {"/out.xyz\""}},
    {"ATitleObabelQuotesSaysNothing",
     [](LeftOutRun& r) {
       // obabel warns "Failed to kekulize aromatic SMILES (title is 3D coordinate generation
       // failed)" and makes 3D coordinates for both.
       r.obgen("--medium", r.smiles("in.smi", "c1cccc1 3D coordinate generation failed\nCCO\n"));
       EXPECT_EQ(runForOutput(std::string(kObabel) + " " + r.scratch("out.sdf") +
                              " -oxyz 2>/dev/null | awk 'NF == 4 {n++; if ($4 == 0) flat++} "
                              "END {print (n > 9), flat + 0}'"),
                 "1 0\n");
     },
     ""},
    {"ASplitNamesItsNumberedFiles",
     [](LeftOutRun& r) {
       // NCI's fourth molecule read from Mol2 gets no 3D coordinates.
       obabelCount({"/usr/share/RDKit/Data/NCI/first_200.props.sdf", "-f", "3", "-l", "4", "-O",
                    r.scratch("nci.mol2")});
       auto& pane = r.h.make<Convertcontroller>("Convertcontroller");
       r.h.field(pane, "inputFilepath").setText(r.scratch("nci.mol2"));
       r.h.field(pane, "outputFilepath").setText(r.scratch("m.sdf"));
       r.h.choose(pane, "inputFiletype", kAutodetectRow);
       r.h.choose(pane, "outputFiletype", "sdf -- MDL MOL format");
       r.h.button(pane, "generate3D").setOn(true);
       r.h.button(pane, "splitIntoindividualmols").setOn(true);
       r.h.press(pane, "convertFile:");
       EXPECT_TRUE(fileExists(r.scratch("m2.sdf")));
     },
     "obabel left molecules without 3D coordinates",
     {"3D coordinate generation failed", "/m1.sdf\", \"", "/m2.sdf\" and so on"},
     {"/m.sdf\""}},
};

void PrintTo(const LeftOutCase& leftOut, std::ostream* os) { *os << leftOut.name; }

class LeftOut : public ::testing::TestWithParam<LeftOutCase> {};

TEST_P(LeftOut, IsSaidWithObabelsWordsAndTheFileKept) {
  LeftOutRun r;
  GetParam().run(r);
  if (GetParam().title.empty()) {
    EXPECT_TRUE(r.h.alerts().empty()) << r.h.alerts().front().informativeText;
    return;
  }
  ASSERT_EQ(r.h.alerts().size(), 1u);
  const auto& alert = r.h.alerts()[0];
  EXPECT_EQ(alert.messageText, GetParam().title) << alert.informativeText;
  for (const auto& words : GetParam().words) EXPECT_THAT(alert.informativeText, HasSubstr(words));
  for (const auto& words : GetParam().notWords)
    EXPECT_THAT(alert.informativeText, Not(HasSubstr(words)));
}

INSTANTIATE_TEST_SUITE_P(Runs, LeftOut, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace molbench::testing
