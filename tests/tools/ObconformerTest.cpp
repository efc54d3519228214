// The conformer search pane: the method popup refills the force fields, the command with a
// search method or the genetic algorithm, and real searches.
#include <filesystem>

#include "ToolPattern.h"
#include "tools/FlatMolecules.h"
#include "tools/obconformerviewcontroller.h"

namespace molbench::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::Le;

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
            "set -o pipefail; /opt/bin/obabel  '/data/x.sdf' -osdf --gen3D | /opt/bin/obabel "
            "-isdf - -O '/data/obconformer.sdf' --conformer  --nconf 25 --systematic --ff MMFF94");
  EXPECT_EQ(obconformerCommand({"/opt/bin/obabel", "-imol2", "/data/x.mol2", "/data/o.sdf", "25",
                                "--systematic", "MMFF94", "5", "5", "", "rmsd", false}),
            "/opt/bin/obabel -imol2 '/data/x.mol2' -O '/data/o.sdf' --conformer  --nconf 25 "
            "--systematic --ff MMFF94");
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

// The result is no worse than obabel's bare search of the 3D molecule, from it, its SMILES or
// its 2D drawing: coordinates are made only for flat input, before the search.
TEST_F(Obconformer, WritesWhatTheSearchFoundFromSmiles2DOr3DInput) {
  std::string threeD = threeDMolecule("NCCCCCCN", scratch("hd.sdf")), smiles = scratch("hd.smi");
  writeFile(smiles, "NCCCCCCN hd\n");
  runForOutput("/usr/bin/obabel '" + smiles + "' --gen2D -O '" + scratch("hd2.sdf") + "' 2>&1");
  setText("numConformations", "30");
  h.choose(pane, "oaScore", "energy");
  const std::pair<std::string, std::string> cases[] = {{threeD, "--systematic"},
                                                       {smiles, "--systematic"},
                                                       {scratch("hd2.sdf"), "--systematic"},
                                                       {threeD, "Choose"}};
  for (const auto& [input, method] : cases) {
    SCOPED_TRACE(input + " " + method);
    runForOutput("/usr/bin/obabel '" + threeD + "' -O '" + scratch("bare.sdf") +
                 "' --conformer --nconf 30 " +
                 (method == "Choose" ? "--children 5 --mutability 5 --score energy"
                                     : "--systematic --ff MMFF94") +
                 " 2>&1");
    paths(input, scratch("pane.sdf"));
    h.choose(pane, "confGenMethod", method);
    if (method != "Choose") h.choose(pane, "forceField", "MMFF94");
    h.press(pane, "runObconformer:");
    EXPECT_THAT(totalEnergies("MMFF94", scratch("pane.sdf")),
                ElementsAre(Le(totalEnergies("MMFF94", scratch("bare.sdf")).at(0) + 0.05)));
  }
  EXPECT_THAT(h.alerts(), IsEmpty());
}

// A failing first run is the command's failure, though the search runs on what it wrote; a
// molecule the force field cannot type is left out with exit 0, and said.
TEST_F(Obconformer, AFailingCoordinateRunOrAnUntypableMoleculeIsSaid) {
  writeFile(scratch("bin/obabel"),
            "#!/bin/bash\n/usr/bin/obabel \"$@\"; [[ \" $* \" != *' --gen3D '* ]]\n");
  runForOutput("chmod +x '" + scratch("bin/obabel") + "'");
  useObabel(scratch("bin/obabel"));
  writeFile(scratch("in.smi"), "CCCC butane\n");
  setText("numConformations", "3");
  h.choose(pane, "confGenMethod", "--systematic");
  h.choose(pane, "forceField", "MMFF94");
  for (auto input : {scratch("in.smi"), moleculesMmffCannotType(scratch("set.sdf"))}) {
    paths(input, scratch("out.sdf"));
    h.press(pane, "runObconformer:");
    EXPECT_EQ(moleculeCount(scratch("out.sdf")), input == scratch("in.smi") ? 1 : 2);
  }
  ASSERT_EQ(h.alerts().size(), 2u);
  EXPECT_THAT(h.alerts()[0].informativeText, ::testing::HasSubstr("exit status 1"));
  EXPECT_EQ(h.alerts()[1].messageText, "obabel left molecules out");
}

// obabel would take a relative "-flat.smi" for an option, read nothing and find no flat molecule.
TEST_F(Obconformer, TheFlatnessCheckReadsANameBeginningWithADashAsAFile) {
  writeFile(scratch("-flat.smi"), "CCCC butane\n");
  const auto before = std::filesystem::current_path();
  std::filesystem::current_path(temp());
  bool flat = inputCoordinatesToMake(kObabel, "", "-flat.smi").any;
  std::filesystem::current_path(before);
  EXPECT_TRUE(flat);
}

}  // namespace
}  // namespace molbench::testing
