// The commands of the minimisation, energy, thermochemistry, properties and symmetry panes:
// the exact texts for ordinary input, and what bash hands the program for hostile input.
#include <gmock/gmock.h>
#include <unistd.h>

#include <filesystem>

#include "TestSupport.h"
#include "tools/obenergyviewcontroller.h"
#include "tools/obminimiseviewcontroller.h"
#include "tools/obpropviewcontroller.h"
#include "tools/obsymviewcontroller.h"
#include "tools/obthermoviewcontroller.h"

namespace molbench::testing {
namespace {

using ::testing::ElementsAre;

// A scratch folder with a program that records its arguments, used as the command's head.
class Recorded : public ::testing::Test {
 protected:
  Recorded() {
    folder = std::filesystem::temp_directory_path() /
             ("molbench-commands-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    writeArgumentRecorder(program(), (folder / "arguments").string());
  }
  ~Recorded() override { std::filesystem::remove_all(folder); }
  std::string program() { return (folder / "program").string(); }
  std::vector<std::string> run(const std::string& command) {
    runForOutput(command);
    return recordedArguments((folder / "arguments").string());
  }
  std::filesystem::path folder;
};

const ObminimisePieces kDefaults{
    .head = "/opt/ob/bin/obabel",
    .inputPath = "/data/set.sdf",
    .outputPath = "/data/obminimise.sdf",
    .steps = "2500",
    .algorithmTitle = "--cg",
    .forceFieldTitle = "MMFF94",
    .convergence = "1e-6",
    .vdwCutoff = "6",
    .electrostaticCutoff = "10.0",
    .nonBondedUpdateFrequency = "10",
};

TEST(CalculationCommands, OrdinaryInputGivesTheExactTexts) {
  EXPECT_EQ(obminimiseCommand(kDefaults),
            "/opt/ob/bin/obabel  '/data/set.sdf' -O '/data/obminimise.sdf' --minimize  --steps "
            "2500 --cg --ff MMFF94 --crit 1e-6 --rvdw 6 --rele 10.0 --freq 10");
  EXPECT_EQ(obenergyCommand("/opt/ob/bin/obabel", "", "/data/set.sdf", "MMFF94"),
            "/opt/ob/bin/obabel  '/data/set.sdf' -otxt --energy --append \"Energy\" --ff MMFF94");
  EXPECT_EQ(
      obenergySaveCommand("/opt/ob/bin/obabel", "", "/data/set.sdf", "/data/obenergy.txt", "UFF"),
      "/opt/ob/bin/obabel  '/data/set.sdf' -otxt --energy --append \"Energy\" -O "
      "'/data/obenergy.txt' --ff UFF");
  EXPECT_EQ(obpropCommand("/usr/local/bin/obprop", "", "/data/mols.smi", "/data/obprop.txt"),
            "/usr/local/bin/obprop  '/data/mols.smi' > '/data/obprop.txt'");
  EXPECT_EQ(obsymCommand("/usr/local/bin/obsym", "/data/cell.cif", "/data/obsym.cif"),
            "/usr/local/bin/obsym '/data/cell.cif' > '/data/obsym.cif'");
}

TEST(CalculationCommands, ThermochemistryPiecesUseObthermosOwnSpellings) {
  ObthermoPieces worked{.head = "/usr/bin/obthermo", .inputPath = "/data/mol.log"};
  worked.obunits = *obthermoUnitsPiece("kJ/mol");
  worked.symNum = obthermoValuePiece(kSymmetryOption, "2");
  worked.numRots = obthermoValuePiece(kRotorsOption, "3");
  worked.tempDerivative = obthermoValuePiece(kDerivativeOption, "0.5");
  EXPECT_EQ(obthermoCommand(worked),
            "/usr/bin/obthermo '/data/mol.log' --kj   --symm 2  --nrot 3  --dbdt 0.5");

  ObthermoPieces plain{.head = "/usr/bin/obthermo", .inputPath = "/data/mol.log"};
  plain.obunits = *obthermoUnitsPiece("kcal/mol");
  EXPECT_EQ(obthermoCommand(plain), "/usr/bin/obthermo '/data/mol.log'   ");
  plain.tempDerivative = obthermoValuePiece(kDerivativeOption, "0.5");
  EXPECT_EQ(obthermoCommand(plain), "/usr/bin/obthermo '/data/mol.log'    --dbdt 0.5");
  EXPECT_EQ(obthermoUnitsPiece(""), std::nullopt);
}

TEST_F(Recorded, HostileValuesAndPathsArriveAsOneArgumentEach) {
  ObminimisePieces hostile = kDefaults;
  hostile.head = program();
  hostile.inputPath = "/data/it's a set.sdf";
  hostile.outputPath = (folder / "min $(id).sdf").string();
  hostile.steps = "50; rm -rf ~";
  hostile.convergence = "";
  hostile.vdwCutoff = "6 7";
  EXPECT_THAT(run(obminimiseCommand(hostile)),
              ElementsAre("/data/it's a set.sdf", "-O", hostile.outputPath, "--minimize", "--steps",
                          "50; rm -rf ~", "--cg", "--ff", "MMFF94", "--crit", "", "--rvdw", "6 7",
                          "--rele", "10.0", "--freq", "10"));

  EXPECT_THAT(run(obenergySaveCommand(program(), "", "/d/o'k.sdf", "/d/a `b`.txt", "UFF")),
              ElementsAre("/d/o'k.sdf", "-otxt", "--energy", "--append", "Energy", "-O",
                          "/d/a `b`.txt", "--ff", "UFF"));

  ObthermoPieces thermo{.head = program(), .inputPath = "/d/x'y.log"};
  thermo.symNum = obthermoValuePiece(kSymmetryOption, "2 | true");
  thermo.numRots = obthermoValuePiece(kRotorsOption, "  ");
  EXPECT_THAT(run(obthermoCommand(thermo)),
              ElementsAre("/d/x'y.log", "--symm", "2 | true", "--nrot", "  "));
}

TEST_F(Recorded, RedirectedReportsLandInTheNamedFileWhateverItsName) {
  std::string report = (folder / "it's > a $report").string();
  EXPECT_THAT(run(obpropCommand(program(), "", "/d/a b'c.smi", report)),
              ElementsAre("/d/a b'c.smi"));
  EXPECT_TRUE(fileExists(report));
  std::string symmetric = (folder / "sym`x`.cif").string();
  EXPECT_THAT(run(obsymCommand(program(), "/d/cell 1.cif", symmetric)),
              ElementsAre("/d/cell 1.cif"));
  EXPECT_TRUE(fileExists(symmetric));
}

}  // namespace
}  // namespace molbench::testing
