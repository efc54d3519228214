// The RMSD and fitting panes: their commands, what bash hands the programs, and a real fit of a
// molecule's rotated and shifted copy back onto it, measured with obrms before and after.
#include <gmock/gmock.h>

#include <cstdlib>
#include <regex>

#include "PaneFixture.h"
#include "ToolPattern.h"
#include "tools/obfitviewcontroller.h"
#include "tools/obrmsdviewcontroller.h"

namespace molbench::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class RmsdPane : public PaneTest<obrmsdviewcontroller> {
 protected:
  RmsdPane() : PaneTest("obrms") {}
  std::string rmsd(const std::string& reference, const std::string& test) {
    setText("referenceFile", reference);
    setText("testFile", test);
    h.press(pane, "runOpbrmsd:");
    return h.textView(pane, "obrmsResult").text();
  }
};

class FitPane : public PaneTest<obfitviewcontroller> {
 protected:
  FitPane() : PaneTest("obfit") {}
  void fit(const std::string& templatePath, const std::string& input, const std::string& output,
           const std::string& smarts) {
    setText("templateFilePath", templatePath);
    setText("inputFilepath", input);
    setText("outputFilepath", output);
    setText("smartsString", smarts);
    h.press(pane, "runObfit:");
  }
};

// The RMSD values obrms reports, one per molecule of the test file.
std::vector<double> rmsdValues(const std::string& report) {
  std::vector<double> values;
  std::regex line("RMSD [^\\n]*?(\\S+)\\n");
  for (std::sregex_iterator it(report.begin(), report.end(), line), end; it != end; ++it)
    values.push_back(std::strtod((*it)[1].str().c_str(), nullptr));
  return values;
}

TEST_F(RmsdPane, CommandWithAndWithoutFirstOnly) {
  useStandIn();
  standInSibling("obrms");
  std::string program = scratch("bin/obrms");
  turnOn("chooseFirstonly");
  rmsd("/data/ref.sdf", "/data/it's.sdf");
  EXPECT_EQ(pane.obshellCommand, program + "  --firstonly '/data/ref.sdf' '/data/it'\\''s.sdf'");
  EXPECT_THAT(standInArguments(), ElementsAre("--firstonly", "/data/ref.sdf", "/data/it's.sdf"));
  turnOn("chooseFirstonly", false);
  rmsd("", "/data/t.sdf");
  EXPECT_EQ(pane.obshellCommand, program + "  '' '/data/t.sdf'");
  EXPECT_THAT(standInArguments(), ElementsAre("", "/data/t.sdf"));
  EXPECT_THAT(h.diagnostics(), IsEmpty()) << "the command is not printed";
}

// A run obrms refuses shows its complaint in the view, not an empty view that looks like a
// run with no molecules.
TEST_F(RmsdPane, ARefusedRunShowsWhyInTheView) {
  useObabel(kObabel);
  EXPECT_THAT(rmsd(testDataPath("small.sdf"), ""), ::testing::HasSubstr("test file is required"));
  EXPECT_THAT(rmsd(scratch("missing.sdf"), testDataPath("small.sdf")),
              ::testing::HasSubstr("Cannot read from"));
}

TEST_F(FitPane, CommandPieces) {
  useObabel("/usr/local/bin/obabel");
  fit("", "/data/in.sdf", "/data/out.sdf", "c1ccccc1");
  EXPECT_EQ(pane.obshellCommand,
            "/usr/local/bin/obabel  '/data/in.sdf' -O '/data/out.sdf' -s  c1ccccc1 --align ");
  EXPECT_EQ(h.diagnostics().back(), pane.obshellCommand);
  turnOn("includeRMSD");
  fit("/data/t.sdf", "/data/in.sdf", "/data/out.sdf", "c1ccccc1");
  EXPECT_EQ(pane.obshellCommand,
            "/usr/local/bin/obabel /data/t.sdf  '/data/in.sdf' -O '/data/out.sdf' -s  c1ccccc1 "
            "--align  --append rmsd  ");

  useStandIn();
  turnOn("includeRMSD", false);
  fit("/data/my template.sdf", "/data/in.sdf", "/data/o'ut.sdf", "");
  EXPECT_THAT(standInArguments(), ElementsAre("/data/my template.sdf", "/data/in.sdf", "-O",
                                              "/data/o'ut.sdf", "-s", "", "--align"));
  fit("", "/data/in.sdf", "/data/out.sdf", "[#6;R](=O);touch x|$(id)");
  EXPECT_THAT(standInArguments(), ElementsAre("/data/in.sdf", "-O", "/data/out.sdf", "-s",
                                              "[#6;R](=O);touch x|$(id)", "--align"));
}

INSTANTIATE_TEST_SUITE_P(Obfit, ToolPattern,
                         ::testing::Values(ToolPaneCase{.identifier = "obfit",
                                                        .run = "runObfit:",
                                                        .defaultOutput = "/obfit.sdf",
                                                        .inputExtensions = kStructureExtensions}),
                         caseName);

TEST_F(FitPane, TheTemplateIsNeverOverwritten) {
  std::string templatePath = scratch("template.sdf");
  writeFile(templatePath, readFile(testDataPath("small.sdf")));
  fit(templatePath, testDataPath("small.sdf"), templatePath, "CCO");
  EXPECT_EQ(pane.obshellCommand, "");
  EXPECT_EQ(h.alerts().size(), 1u);
  EXPECT_EQ(readFile(templatePath), readFile(testDataPath("small.sdf")));
}

TEST(RmsdAndFit, RotatedCopyFitsBackOntoItsTemplate) {
  headless::Harness h;
  h.defaults().set("pathToobabel", kObabel);
  std::string folder = h.temporaryDirectory();
  std::string original = folder + "/ligand.sdf", rotated = folder + "/rotated.sdf";
  std::string fitted = folder + "/fitted.sdf";
  ASSERT_EQ(obabelCount({testDataPath("cdk2-12.sdf"), "-l", "1", "-O", original}), 1);
  // A quarter turn about z and a shift: x' = 1.5 - y, y' = x - 2, z' = z + 0.7.
  runForOutput(
      "awk 'NR>4 && NF>=10 && $4 ~ /^[A-Z][a-z]?$/ {printf \"%10.4f%10.4f%10.4f%s\\n\","
      " 1.5-$2, $1-2, $3+0.7, substr($0,31); next} {print}' '" +
      original + "' > '" + rotated + "'");

  auto& rms = h.make<obrmsdviewcontroller>("obrms");
  auto& fit = h.make<obfitviewcontroller>("obfit");
  auto rmsd = [&](const std::string& reference, const std::string& test) {
    h.field(rms, "referenceFile").setText(reference);
    h.field(rms, "testFile").setText(test);
    h.press(rms, "runOpbrmsd:");
    return rmsdValues(h.textView(rms, "obrmsResult").text());
  };
  auto before = rmsd(original, rotated);
  ASSERT_EQ(before.size(), 1u) << h.textView(rms, "obrmsResult").text();
  EXPECT_GT(before[0], 1.0);

  h.field(fit, "templateFilePath").setText(original);
  h.field(fit, "inputFilepath").setText(rotated);
  h.field(fit, "outputFilepath").setText(fitted);
  h.field(fit, "smartsString").setText("CCO");
  h.button(fit, "includeRMSD").setOn(true);
  h.press(fit, "runObfit:");
  // Each molecule of the output (the template, then the fitted copy) against the original.
  auto after = rmsd(fitted, original);
  ASSERT_EQ(after.size(), 2u) << h.textView(rms, "obrmsResult").text();
  EXPECT_NEAR(after[1], 0.0, 1e-3);
}

}  // namespace
}  // namespace molbench::testing
