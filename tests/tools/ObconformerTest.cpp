// The conformer search pane: the method popup refills the force fields, the command with a
// search method or the genetic algorithm, and real searches.
#include <gmock/gmock.h>

#include "PaneFixture.h"
#include "ToolPattern.h"
#include "tools/obconformerviewcontroller.h"

namespace molbench::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

INSTANTIATE_TEST_SUITE_P(Obconformer, ToolPattern,
                         ::testing::Values(ToolPaneCase{
                             .identifier = "obconformer",
                             .run = "runObconformer:",
                             .defaultOutput = "/obconformer.sdf",
                             .inputExtensions = kStructureExtensions,
                             .outputExtensions = std::vector<std::string>{"sd", "sdf"}}),
                         caseName);

class Obconformer : public PaneTest<obconformerviewcontroller> {
 protected:
  Obconformer() : PaneTest("obconformer") {}
  void paths(const std::string& input, const std::string& output) {
    setText("inputFilepath", input);
    setText("outputFilepath", output);
  }
};

TEST_F(Obconformer, CommandWithASearchMethodOrTheGeneticAlgorithm) {
  ObconformerPieces pieces{"/opt/bin/obabel",
                           "",
                           "/data/x.sdf",
                           "/data/obconformer.sdf",
                           "25",
                           "--systematic",
                           "MMFF94",
                           "5",
                           "5",
                           "",
                           "rmsd"};
  EXPECT_EQ(obconformerCommand(pieces),
            "/opt/bin/obabel  '/data/x.sdf' -O '/data/obconformer.sdf' --gen3D --conformer  "
            "--nconf 25 --systematic --ff MMFF94");
  pieces.method = "Choose";
  pieces.convergence = "10";
  EXPECT_EQ(obconformerCommand(pieces),
            "/opt/bin/obabel  '/data/x.sdf' -O '/data/obconformer.sdf' --gen3D --conformer  "
            "--nconf 25 --children 5 --mutability 5 --convergence 10 --score rmsd");
}

TEST_F(Obconformer, MethodPicksRefillTheForceFieldsAndChooseSelectsTheGeneticAlgorithm) {
  EXPECT_EQ(h.popup(pane, "confGenMethod").titleOfSelectedItem(), "Choose");
  EXPECT_EQ(h.popup(pane, "oaScore").titleOfSelectedItem(), "rmsd");
  EXPECT_EQ(text("numConformations"), "25");
  EXPECT_EQ(text("gachildren"), "5");
  EXPECT_EQ(text("gamutability"), "5");
  EXPECT_EQ(text("gaconvergence"), "");
  EXPECT_THAT(h.popup(pane, "forceField").itemTitles(), IsEmpty());
  EXPECT_TRUE(pane.gamethod);

  h.choose(pane, "confGenMethod", "--random");
  EXPECT_THAT(h.popup(pane, "forceField").itemTitles(),
              ElementsAre("GAFF", "Ghemical", "MMFF94", "MMFF94s", "UFF"));
  h.choose(pane, "forceField", "UFF");
  h.choose(pane, "confGenMethod", "--fast");
  EXPECT_EQ(h.popup(pane, "forceField").titleOfSelectedItem(), "GAFF");
  EXPECT_FALSE(pane.gamethod);

  useStandIn();
  paths("/d/x.sdf", scratch("o.sdf"));
  setText("numConformations", "");
  setText("gachildren", "9");
  h.press(pane, "runObconformer:");
  EXPECT_THAT(pane.obshellCommand, ::testing::EndsWith("--nconf '' --fast --ff GAFF"));

  h.choose(pane, "confGenMethod", "Choose");
  EXPECT_THAT(h.popup(pane, "forceField").itemTitles(), IsEmpty());
  EXPECT_TRUE(pane.gamethod);
  h.choose(pane, "oaScore", "energy");
  h.press(pane, "runObconformer:");
  EXPECT_THAT(standInArguments(),
              ElementsAre("/d/x.sdf", "-O", scratch("o.sdf"), "--gen3D", "--conformer", "--nconf",
                          "", "--children", "9", "--mutability", "5", "--score", "energy"));
}

TEST_F(Obconformer, RealSearchesWithEveryMethodAndForceField) {
  // Open Babel runs --conformer before --gen3D (its operations go in name order), so the
  // search starts from 3D input.
  std::string input = scratch("pentane.sdf");
  runForOutput("/usr/bin/obabel -:CCCCC -O '" + input + "' --gen3D 2>/dev/null");
  setText("numConformations", "3");
  const std::pair<const char*, const char*> searches[] = {
      {"--systematic", "GAFF"}, {"--random", "Ghemical"}, {"--weighted", "MMFF94"},
      {"--fast", "MMFF94s"},    {"--systematic", "UFF"},  {"Choose", ""},
  };
  for (const auto& [method, forceField] : searches) {
    std::string output = scratch(std::string("conformer") + method + forceField + ".sdf");
    SCOPED_TRACE(output);
    paths(input, output);
    h.choose(pane, "confGenMethod", method);
    if (*forceField) h.choose(pane, "forceField", forceField);
    h.press(pane, "runObconformer:");
    EXPECT_EQ(moleculeCount(output), 1);
    EXPECT_TRUE(hasThreeDCoordinates(output));
  }
}

}  // namespace
}  // namespace molbench::testing
