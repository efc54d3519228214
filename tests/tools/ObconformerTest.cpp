// The conformer search pane: the method popup refills the force fields, the command with a
// search method or the genetic algorithm, and real searches.
#include "ToolPattern.h"
#include "tools/obconformerviewcontroller.h"

namespace molbench::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class Obconformer : public ToolPane<obconformerviewcontroller, "obconformer"> {
 protected:
  void paths(const std::string& input, const std::string& output) {
    setText("inputFilepath", input);
    setText("outputFilepath", output);
  }
};

TEST_F(Obconformer, MethodPicksRefillTheForceFieldsAndChooseSelectsTheGeneticAlgorithm) {
  EXPECT_EQ(obconformerCommand({"/opt/bin/obabel", "", "/data/x.sdf", "/data/obconformer.sdf", "25",
                                "--systematic", "MMFF94", "5", "5", "", "rmsd"}),
            "/opt/bin/obabel  '/data/x.sdf' -O '/data/obconformer.sdf' --gen3D --conformer  "
            "--nconf 25 --systematic --ff MMFF94");
  EXPECT_EQ(h.popup(pane, "confGenMethod").titleOfSelectedItem(), "Choose");
  EXPECT_THAT(h.popup(pane, "forceField").itemTitles(), IsEmpty());

  h.choose(pane, "confGenMethod", "--random");
  EXPECT_THAT(h.popup(pane, "forceField").itemTitles(),
              ElementsAre("GAFF", "Ghemical", "MMFF94", "MMFF94s", "UFF"));
  h.choose(pane, "forceField", "UFF");
  h.choose(pane, "confGenMethod", "--fast");
  EXPECT_EQ(h.popup(pane, "forceField").titleOfSelectedItem(), "GAFF");
  EXPECT_FALSE(pane.gamethod);

  useStandIn();
  paths(molecules("x.sdf"), scratch("o.sdf"));
  setText("numConformations", "");
  h.press(pane, "runObconformer:");
  EXPECT_THAT(pane.obshellCommand, ::testing::EndsWith("--nconf '' --fast --ff GAFF"));

  h.choose(pane, "confGenMethod", "Choose");
  EXPECT_THAT(h.popup(pane, "forceField").itemTitles(), IsEmpty());
  EXPECT_TRUE(pane.gamethod);
  h.choose(pane, "oaScore", "energy");
  setText("gaconvergence", "10");
  h.press(pane, "runObconformer:");
  EXPECT_THAT(standInArguments(), ::testing::IsSupersetOf({"--convergence", "10", "energy"}));
}

TEST_F(Obconformer, RealSearchesWithAMethodAndWithTheGeneticAlgorithm) {
  // Open Babel runs --conformer before --gen3D (its operations go in name order), so the
  // search starts from 3D input.
  std::string input = threeDMolecule("CCCCC", scratch("pentane.sdf"));
  setText("numConformations", "3");
  for (const char* method : {"--systematic", "Choose"}) {
    std::string output = scratch(std::string("conformer") + method + ".sdf");
    SCOPED_TRACE(output);
    paths(input, output);
    h.choose(pane, "confGenMethod", method);
    h.press(pane, "runObconformer:");
    EXPECT_EQ(moleculeCount(output), 1);
    EXPECT_TRUE(hasThreeDCoordinates(output));
  }
}

}  // namespace
}  // namespace molbench::testing
