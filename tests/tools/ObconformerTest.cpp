// The conformer search pane: the method popup refills the force fields, the command with a
// search method or the genetic algorithm, and real searches.
#include <sys/stat.h>

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
  // Coordinates are made in a run of their own, whose failure fails the command; an input that
  // has them is searched as it stands.
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

double energyOf(const std::string& path) {
  auto energies = totalEnergies("MMFF94", path);
  return energies.size() == 1 ? energies[0] : 1e30;
}

// What the pane writes is what its search found: no higher in energy than obabel's bare search
// of the 3D molecule, whether the input is that molecule, its SMILES or a 2D drawing of it.
// Coordinates are made only for the flat ones: rebuilt 3D coordinates end at a worse minimum.
TEST_F(Obconformer, WritesWhatTheSearchFoundFromSmiles2DOr3DInput) {
  std::string threeD = threeDMolecule("NCCCCCCN", scratch("hd.sdf"));
  writeFile(scratch("hd.smi"), "NCCCCCCN hd\n");
  runForOutput("/usr/bin/obabel '" + scratch("hd.smi") + "' --gen2D -O '" + scratch("hd2.sdf") +
               "' 2>/dev/null");
  struct Case {
    std::string input, method, score;
    std::string bare;  // obabel's own search options for the bare run on the 3D file
    bool makesCoordinates;
  };
  const std::string systematic = "--conformer --nconf 30 --systematic --ff MMFF94";
  const Case cases[] = {
      {threeD, "--systematic", "rmsd", systematic, false},
      {scratch("hd.smi"), "--systematic", "rmsd", systematic, true},
      {scratch("hd2.sdf"), "--systematic", "rmsd", systematic, true},
      {threeD, "Choose", "energy",
       "--conformer --nconf 30 --children 5 --mutability 5 --score energy", false},
  };
  setText("numConformations", "30");
  for (const auto& c : cases) {
    SCOPED_TRACE(c.input + " " + c.method);
    std::string output = scratch("pane.sdf"), bare = scratch("bare.sdf");
    runForOutput("/usr/bin/obabel '" + threeD + "' -O '" + bare + "' " + c.bare + " 2>&1");
    paths(c.input, output);
    h.choose(pane, "confGenMethod", c.method);
    if (c.method != "Choose") h.choose(pane, "forceField", "MMFF94");
    h.choose(pane, "oaScore", c.score);
    h.press(pane, "runObconformer:");
    EXPECT_EQ(pane.obshellCommand.rfind("set -o pipefail; ", 0) == 0, c.makesCoordinates);
    EXPECT_TRUE(hasThreeDCoordinates(output));
    EXPECT_LE(energyOf(output), energyOf(bare) + 0.05);
  }
  EXPECT_THAT(h.alerts(), IsEmpty());
}

// A first run that fails is the command's failure, though the search runs on what it wrote.
TEST_F(Obconformer, AFailingCoordinateRunIsSaid) {
  std::string program = scratch("bin/obabel");
  writeFile(program,
            "#!/bin/bash\n"
            "case \" $* \" in *' --gen3D '*) /usr/bin/obabel \"$@\"; exit 3;; esac\n"
            "exec /usr/bin/obabel \"$@\"\n");
  ::chmod(program.c_str(), 0755);
  useObabel(program);
  writeFile(scratch("in.smi"), "CCCC butane\n");
  paths(scratch("in.smi"), scratch("out.sdf"));
  h.choose(pane, "confGenMethod", "--systematic");
  h.press(pane, "runObconformer:");
  EXPECT_EQ(moleculeCount(scratch("out.sdf")), 1);
  ASSERT_EQ(h.alerts().size(), 1u);
  EXPECT_EQ(h.alerts()[0].messageText, "obabel failed");
  EXPECT_THAT(h.alerts()[0].informativeText, ::testing::HasSubstr("exit status 3"));
}

// A search method sets up the force field for each molecule, and obabel leaves out one it
// cannot type with exit 0: the file keeps the others and an alert says so.
TEST_F(Obconformer, AMoleculeTheForceFieldCannotTypeIsSaid) {
  paths(moleculesMmffCannotType(scratch("set.sdf")), scratch("out.sdf"));
  setText("numConformations", "3");
  h.choose(pane, "confGenMethod", "--systematic");
  h.choose(pane, "forceField", "MMFF94");
  h.press(pane, "runObconformer:");
  EXPECT_EQ(moleculeCount(scratch("out.sdf")), 2);
  ASSERT_EQ(h.alerts().size(), 1u);
  EXPECT_EQ(h.alerts()[0].messageText, "obabel left molecules out");
}

}  // namespace
}  // namespace molbench::testing
