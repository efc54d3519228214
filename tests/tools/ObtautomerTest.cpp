// The tautomer pane: obtautomer beside obabel, its output redirected into the output file.
#include "ToolPattern.h"
#include "tools/obtautomerviewcontroller.h"

namespace molbench::testing {
namespace {

using Obtautomer = ToolPane<obtautomerviewcontroller, "obtautomer">;

TEST_F(Obtautomer, RunsTheProgramBesideObabelIntoTheOutputFile) {
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

}  // namespace
}  // namespace molbench::testing
