// The RMSD and fitting panes: their commands, what bash hands the programs, and a real fit of a
// molecule's rotated and shifted copy back onto it, measured with obrms before and after.
#include <filesystem>
#include <sstream>

#include "ToolPattern.h"
#include "tools/obfitviewcontroller.h"
#include "tools/obrmsdviewcontroller.h"

namespace molbench::testing {
namespace {

using ::testing::ElementsAre;

using RmsdPane = ToolPane<obrmsdviewcontroller, "obrms">;

class FitPane : public ToolPane<obfitviewcontroller, "obfit"> {
 protected:
  void fit(const std::string& templatePath, const std::string& input, const std::string& output,
           const std::string& smarts) {
    setText("templateFilePath", templatePath);
    setText("inputFilepath", input);
    setText("outputFilepath", output);
    setText("smartsString", smarts);
    h.press(pane, "runObfit:");
  }
};

// The RMSD values obrms reports ("RMSD title:title value"), one per molecule of the test file.
std::vector<double> rmsdValues(const std::string& report) {
  std::vector<double> values;
  std::istringstream lines(report);
  for (std::string line; std::getline(lines, line);)
    if (line.rfind("RMSD ", 0) == 0)
      values.push_back(std::strtod(line.c_str() + line.rfind(' '), 0));
  return values;
}

TEST_F(RmsdPane, CommandWithFirstOnly) {
  setText("referenceFile", molecules("ref.sdf"));
  setText("testFile", molecules("t.sdf"));
  turnOn("chooseFirstonly");
  h.press(pane, "runOpbrmsd:");
  EXPECT_EQ(pane.obshellCommand,
            "/usr/bin/obrms  --firstonly '" + scratch("ref.sdf") + "' '" + scratch("t.sdf") + "'");
}

// obrms reads a test file whose extension is empty or blank in the default format (MDL), as
// obabel does, but finds no format for a reference file so named.
TEST_F(RmsdPane, ATestFileWithABlankExtensionRunsAndSuchAReferenceIsRefused) {
  std::string reference = molecules("ref.sdf");
  for (std::string name : {"x.", "x.sdf.", "x. sdf"}) {
    for (auto [ref, test] : {std::pair{reference, molecules(name)}, {scratch(name), reference}}) {
      setText("referenceFile", ref);
      setText("testFile", test);
      h.press(pane, "runOpbrmsd:");
      EXPECT_TRUE(ref != reference || !rmsdValues(h.textView(pane, "obrmsResult").text()).empty());
    }
  }
  ASSERT_EQ(h.alerts().size(), 3u);
  for (const auto& alert : h.alerts()) EXPECT_EQ(alert.messageText, "Rename the input file");
}

// A run obrms refuses shows its complaint in the view, not an empty view that looks like a
// run with no molecules.
TEST_F(RmsdPane, ARefusedRunShowsWhyInTheView) {
  auto refusal = [&](const std::string& reference, const std::string& test) {
    setText("referenceFile", reference);
    setText("testFile", test);
    h.press(pane, "runOpbrmsd:");
    return h.textView(pane, "obrmsResult").text();
  };
  writeFile(scratch("garbage.xyz"), "garbage\n");
  EXPECT_THAT(refusal(testDataPath("small.sdf"), scratch("garbage.xyz")),
              ::testing::HasSubstr("Problems reading an XYZ file"));
}

TEST_F(FitPane, CommandPiecesAndAnEmptySmarts) {
  useObabel("/usr/local/bin/obabel");
  turnOn("includeRMSD");
  std::string templatePath = molecules("t.sdf"), input = molecules("in.sdf");
  std::string output = scratch("out.sdf");
  fit(templatePath, input, output, "c1ccccc1");
  EXPECT_EQ(pane.obshellCommand, "/usr/local/bin/obabel " + templatePath + "  '" + input +
                                     "' -O '" + output + "' -s  c1ccccc1 --align  --append rmsd  ");

  useStandIn();
  turnOn("includeRMSD", false);
  fit(templatePath, input, output, "CC");
  EXPECT_THAT(standInArguments(),
              ElementsAre(templatePath, input, "-O", output, "-s", "CC", "--align"));
  // obabel's fit takes no empty pattern: it writes nothing, so the run is refused before it.
  EXPECT_EQ(obfitCommand({"p", "", "", "/i", "/o", "", ""}), "p  '/i' -O '/o' -s  '' --align ");
  std::filesystem::remove(scratch("arguments"));
  fit(templatePath, input, output, "");
  EXPECT_FALSE(fileExists(scratch("arguments")));
  EXPECT_EQ(h.alerts().back().messageText, "Type a SMARTS pattern");
}

TEST_F(FitPane, RotatedCopyFitsBackOntoItsTemplate) {
  std::string original = scratch("ligand.sdf"), rotated = scratch("rotated.sdf");
  ASSERT_EQ(obabelCount({testDataPath("cdk2-12.sdf"), "-l", "1", "-O", original}), 1);
  // A quarter turn about z and a shift: x' = 1.5 - y, y' = x - 2, z' = z + 0.7.
  runForOutput(
      "awk 'NR>4 && NF>=10 && $4 ~ /^[A-Z][a-z]?$/ {printf \"%10.4f%10.4f%10.4f%s\\n\","
      " 1.5-$2, $1-2, $3+0.7, substr($0,31); next} {print}' '" +
      original + "' > '" + rotated + "'");
  auto& rms = h.make<obrmsdviewcontroller>("obrms");
  auto rmsd = [&](const std::string& reference, const std::string& test) {
    h.field(rms, "referenceFile").setText(reference);
    h.field(rms, "testFile").setText(test);
    h.press(rms, "runOpbrmsd:");
    return rmsdValues(h.textView(rms, "obrmsResult").text());
  };
  auto before = rmsd(original, rotated);
  ASSERT_EQ(before.size(), 1u) << h.textView(rms, "obrmsResult").text();
  EXPECT_GT(before[0], 1.0);
  turnOn("includeRMSD");
  fit(original, rotated, scratch("fitted.sdf"), "CCO");
  // Each molecule of the output (the template, then the fitted copy) against the original.
  auto after = rmsd(scratch("fitted.sdf"), original);
  ASSERT_EQ(after.size(), 2u) << h.textView(rms, "obrmsResult").text();
  EXPECT_NEAR(after[1], 0.0, 1e-3);
}

// obabel's -i applies to every input, the template too: a popup row read the SD template as
// Sybyl Mol2 and the fit lost it. The popup takes no part: the template and the three are written.
TEST_F(FitPane, TheInputFormatPopupTakesNoPartInTheFit) {
  std::string templatePath = threeDMolecule("Cc1ccccc1", scratch("toluene.sdf"));
  runForOutput("/usr/bin/obabel '-:CCc1ccccc1' '-:Oc1ccccc1C' '-:Cc1ccccc1Cl' --gen3D -O '" +
               scratch("m.mol2") + "' 2>&1");
  h.choose(pane, "inputFiletype", "mol2 -- Sybyl Mol2 format");
  fit(templatePath, scratch("m.mol2"), scratch("fitted.sdf"), "c1ccccc1");
  EXPECT_EQ(moleculeCount(scratch("fitted.sdf")), 4);
}

}  // namespace
}  // namespace molbench::testing
