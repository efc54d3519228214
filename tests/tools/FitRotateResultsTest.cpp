// The fitting and rotation panes with the real obabel and obrotate: what their programs leave
// out or get wrong is said, an input without coordinates is refused by the rotation, and a
// pattern neither can use is refused before the output it would empty.
#include "ToolPattern.h"
#include "tools/obfitviewcontroller.h"
#include "tools/obrotateviewcontroller.h"

namespace molbench::testing {
namespace {

using ::testing::AllOf;
using ::testing::HasSubstr;

class FitRotateResults : public ::testing::Test {
 protected:
  FitRotateResults() { h.defaults().set("pathToobabel", kObabel); }
  std::string scratch(const std::string& name) { return h.temporaryDirectory() + "/" + name; }

  // Fits the input onto the template, or rotates the input's first torsion to the angle, by the
  // pattern, into the output.
  void run(const std::string& pane, const std::string& input, const std::string& output,
           const std::string& pattern, const std::string& angle = "100") {
    if (pane == "obfit") {
      h.field(fit, "templateFilePath").setText(threeDMolecule("CCCC", scratch("butane.sdf")));
      h.field(fit, "inputFilepath").setText(input);
      h.field(fit, "outputFilepath").setText(output);
      h.field(fit, "smartsString").setText(pattern);
      h.press(fit, "runObfit:");
      return;
    }
    h.field(rotate, "inputFilepath").setText(input);
    h.field(rotate, "outputFilepath").setText(output);
    h.field(rotate, "smartsDihedral").setText(pattern);
    h.field(rotate, "atomsDihedral").setText("1 2 3 4");
    h.field(rotate, "angleDihedral").setText(angle);
    h.press(rotate, "runObroate:");
  }

  // SD files of the SMILES, with 3D coordinates, with 2D ones, or none (a SMILES file).
  std::string threeD(const std::vector<std::string>& smiles, const std::string& name) {
    std::string text;
    for (const auto& one : smiles) text += readFile(threeDMolecule(one, scratch("one.sdf")));
    writeFile(scratch(name), text);
    return scratch(name);
  }
  std::string flat(const std::string& smilesLines, const std::string& name) {
    std::string smiles = name.ends_with(".smi") ? scratch(name) : scratch(name + ".smi");
    writeFile(smiles, smilesLines);
    if (smiles != scratch(name)) obabelCount({smiles, "--gen2D", "-O", scratch(name)});
    return scratch(name);
  }
  // The alerts shown since the count was taken.
  std::vector<platform::AlertRequest> alertsSince(size_t count) {
    return {h.alerts().begin() + static_cast<std::ptrdiff_t>(count), h.alerts().end()};
  }

  headless::Harness h;
  platform::ViewController& fit = h.make<obfitviewcontroller>("obfit");
  platform::ViewController& rotate = h.make<obrotateviewcontroller>("obrotate");
};

// obabel's fit leaves out, with a line each, the molecules whose coordinates are not of the
// template's dimension, and writes the others; obrotate turns by an angle too large for a
// number into "-nan" coordinates, and would write SMILES back unrotated. Each is said; ordinary
// runs stay silent.
TEST_F(FitRotateResults, WhatTheProgramLeftOutOrGotWrongIsSaid) {
  struct Row {
    std::string pane, input, angle, title, says;
    int written;  // molecules in the output; -1: it keeps what it held
  };
  const std::string smiles = "CCCCO butanol\nCCCCN butylamine\n";
  std::string many;
  for (int i = 0; i < 80; ++i) many += "CCCCO butanol" + std::to_string(i) + "\n";
  writeFile(scratch("mixed.sdf"), readFile(threeD({"CCCCO"}, "one3d.sdf")) +
                                      readFile(flat("CCCCN butylamine\n", "one2d.sdf")));
  const Row rows[] = {
      {"obfit", flat(smiles, "in.smi"), "", "obabel left molecules out",
       "2 molecules were left out", 1},
      {"obfit", flat(smiles, "in2d.sdf"), "", "obabel left molecules out",
       "2 molecules were left out", 1},
      {"obfit", scratch("mixed.sdf"), "", "obabel left molecules out", "1 molecule was left out",
       2},
      // Their lines fill more than the error tail the run keeps.
      {"obfit", flat(many, "many2d.sdf"), "", "obabel left molecules out",
       "80 molecules were left out", 1},
      {"obfit", threeD({"CCCCO", "CCCCN"}, "two3d.sdf"), "", "", "", 3},
      {"obrotate", threeD({"CCCC"}, "butane3d.sdf"), "1e400",
       "obrotate wrote coordinates that are no numbers", "1 of the 1 molecules", 1},
      {"obrotate", threeD({"CCCC", "CCCCC"}, "alkanes3d.sdf"), "nan",
       "obrotate wrote coordinates that are no numbers", "2 of the 2 molecules", 2},
      {"obrotate", scratch("butane3d.sdf"), "100", "", "", 1},
      {"obrotate", flat("CCCC butane\n", "butane.smi"), "100", "This input has no coordinates",
       "write it back unrotated", -1},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.pane + " " + row.input + " " + row.angle);
    size_t before = h.alerts().size();
    // obrotate writes its input's format: a refused SMILES input is named with its output.
    bool refused = row.written < 0;
    std::string output = scratch(refused ? "out.smi" : "out.sdf");
    writeFile(output, "kept");
    run(row.pane, row.input, output, "CCCC", row.angle);
    auto alerts = alertsSince(before);
    if (row.title.empty()) {
      EXPECT_TRUE(alerts.empty()) << alerts[0].informativeText;
    } else {
      EXPECT_EQ(alerts.size(), 1u);
      if (alerts.size() != 1) continue;
      EXPECT_EQ(alerts[0].messageText, row.title);
      EXPECT_THAT(alerts[0].informativeText,
                  AllOf(HasSubstr(row.says), HasSubstr(refused ? row.input : output)));
    }
    if (refused)
      EXPECT_EQ(readFile(output), "kept");
    else
      EXPECT_EQ(moleculeCount(output), row.written);
  }
}

// obabel's fit and the shell's "> " empty the output before the program finds the pattern
// unusable: the pattern is checked first, and the earlier file stays.
TEST_F(FitRotateResults, APatternNeitherCanUseIsRefusedAndTheOutputKept) {
  const std::string input = threeD({"CCCC"}, "butane3d.sdf");
  const std::pair<std::string, std::string> rows[] = {
      {"obfit", "C(C"}, {"obrotate", "C(C"}, {"obfit", "-C"}, {"obrotate", " "}};
  const std::string titles[] = {"Mend the SMARTS pattern", "Mend the SMARTS pattern",
                                "Mend the SMARTS pattern", "Type a SMARTS pattern"};
  for (size_t i = 0; i < std::size(rows); ++i) {
    SCOPED_TRACE(rows[i].first + " '" + rows[i].second + "'");
    size_t before = h.alerts().size();
    writeFile(scratch("out.sdf"), "kept");
    run(rows[i].first, input, scratch("out.sdf"), rows[i].second);
    auto alerts = alertsSince(before);
    EXPECT_EQ(alerts.size(), 1u);
    if (alerts.size() != 1) continue;
    EXPECT_EQ(alerts[0].messageText, titles[i]);
    EXPECT_EQ(readFile(scratch("out.sdf")), "kept");
  }
}

}  // namespace
}  // namespace molbench::testing
