// The tautomer pane: obtautomer beside obabel, its output redirected into the output file.
#include <gmock/gmock.h>

#include "PaneFixture.h"
#include "ToolPattern.h"
#include "tools/obtautomerviewcontroller.h"

namespace molbench::testing {
namespace {

INSTANTIATE_TEST_SUITE_P(Obtautomer, ToolPattern,
                         ::testing::Values(ToolPaneCase{
                             .identifier = "obtautomer",
                             .run = "runObtautomer:",
                             .program = "obtautomer",
                             .defaultOutput = "/obtautomer.smiles",
                             .inputExtensions = std::vector<std::string>{"smi", "smiles"},
                             .outputExtensions = std::vector<std::string>{"smi", "smiles"}}),
                         caseName);

class Obtautomer : public PaneTest<obtautomerviewcontroller> {
 protected:
  Obtautomer() : PaneTest("obtautomer") {}
};

TEST_F(Obtautomer, RunsTheProgramBesideObabelIntoTheOutputFile) {
  EXPECT_EQ(
      obtautomerCommand("/usr/local/bin/obtautomer", "/data/mols.smi", "/data/obtautomer.smiles"),
      "/usr/local/bin/obtautomer '/data/mols.smi' > '/data/obtautomer.smiles'");

  std::string input = scratch("pyridone.smi");
  writeFile(input, "Oc1ccccn1 hydroxypyridine\n");
  setText("inputFilepath", input);
  setText("outputFilepath", scratch("tautomers.smiles"));
  h.press(pane, "runObtautomer:");
  EXPECT_EQ(pane.obshellCommand,
            "/usr/bin/obtautomer '" + input + "' > '" + scratch("tautomers.smiles") + "'");
  EXPECT_EQ(obabelCount({"-ismi", scratch("tautomers.smiles"), "-onul"}), 2);
  EXPECT_THAT(readFile(scratch("tautomers.smiles")), ::testing::HasSubstr("O=c1cccc[nH]1"));
}

TEST_F(Obtautomer, ARefusedRunKeepsTheLastCommandAndTheStoredPath) {
  setText("inputFilepath", "/data/mols.smi");
  setText("outputFilepath", scratch("t.smiles"));
  h.defaults().set("pathToobabel", "/opt/ob/bin/");
  h.press(pane, "runObtautomer:");
  EXPECT_EQ(pane.obshellCommand,
            "/opt/ob/obtautomer '/data/mols.smi' > '" + scratch("t.smiles") + "'");
  h.defaults().set("pathToobabel", "/Applications/Open Babel/bin/obabel");
  h.press(pane, "runObtautomer:");
  EXPECT_EQ(pane.obabelPath, "/Applications/Open Babel/bin/obabel");
  EXPECT_EQ(pane.obshellCommand,
            "/opt/ob/obtautomer '/data/mols.smi' > '" + scratch("t.smiles") + "'");
  EXPECT_EQ(h.diagnostics().size(), 1u);
}

}  // namespace
}  // namespace molbench::testing
