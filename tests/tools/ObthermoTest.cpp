// The thermochemistry pane. Debian 12's obthermo crashes on every molecule, so the reports
// come from a stand-in obthermo beside a stand-in obabel; the real program runs once to show
// that its crash leaves the pane working.
#include <gmock/gmock.h>

#include "CalculationTestSupport.h"
#include "PaneFixture.h"
#include "tools/obthermoviewcontroller.h"

namespace molbench::testing {
namespace {

using ::testing::ElementsAre;

// What obthermo prints for a Gaussian log file (its own line formats).
constexpr const char* kReport =
    "obthermo - extract thermochemistry data from quantum chemistry logfiles\n"
    "DeltaHform(0K)     -57.1  kcal/mol\n"
    "Temperature        298.15  K\n"
    "S0(T)              45.1  cal/mol K";

class Obthermo : public PaneTest<obthermoviewcontroller> {
 protected:
  Obthermo() : PaneTest("obthermo") {}
  void useReportingStandIn() {
    useStandIn();
    writeReportingStandIn(scratch("bin/obthermo"), scratch("arguments"), kReport);
  }
};

TEST_F(Obthermo, OptionsFollowTheFieldsAtEachRunAndReportsAccumulate) {
  EXPECT_EQ(h.popup(pane, "outputunits").itemTitles(), (Titles{"kcal/mol", "kJ/mol"}));
  EXPECT_EQ(h.popup(pane, "outputunits").titleOfSelectedItem(), "kcal/mol");
  useReportingStandIn();
  setText("inputFilepath", "/data/water's.log");
  h.choose(pane, "outputunits", "kJ/mol");
  setText("symmetryNumber", "2");
  setText("numRotbonds", "3");
  setText("tempDeriv", "0.5");
  h.press(pane, "runObthermo:");
  EXPECT_EQ(
      pane.obshellCommand,
      scratch("bin/obthermo") + " '/data/water'\\''s.log' --kj   --symm 2  --nrot 3  --dbdt 0.5");
  EXPECT_THAT(standInArguments(), ElementsAre("/data/water's.log", "--kj", "--symm", "2", "--nrot",
                                              "3", "--dbdt", "0.5"));
  EXPECT_THAT(h.diagnostics(), ElementsAre(pane.obshellCommand));

  h.choose(pane, "outputunits", "kcal/mol");
  setText("symmetryNumber", "");
  setText("numRotbonds", " ");
  h.press(pane, "runObthermo:");
  EXPECT_THAT(standInArguments(), ElementsAre("/data/water's.log", "--nrot", " ", "--dbdt", "0.5"));
  EXPECT_EQ(pane.symNum, "");
  const std::string report = std::string(kReport) + "\n";
  EXPECT_EQ(h.textView(pane, "obthermoText").text(), report + report);
  EXPECT_EQ(pane.obshellResult, report);
}

TEST_F(Obthermo, TheChooserFillsOnlyTheInputFieldFromAnyFile) {
  h.answerOpenPanel("/data/run.log");
  h.press(pane, "inputFilepath:");
  EXPECT_EQ(text("inputFilepath"), "/data/run.log");
  ASSERT_EQ(h.openPanels().size(), 1u);
  EXPECT_EQ(h.openPanels()[0].title, "Choose input file");
  EXPECT_EQ(h.openPanels()[0].allowedFileTypes, std::nullopt);
}

TEST_F(Obthermo, NoProgramPathRunsNothingAndTheRealCrashLeavesThePaneWorking) {
  setText("inputFilepath", testDataPath("small.sdf"));
  h.defaults().remove("pathToobabel");
  h.press(pane, "runObthermo:");
  EXPECT_EQ(pane.obshellCommand, "");
  EXPECT_EQ(h.alerts().size(), 1u);

  useObabel(kObabel);
  h.press(pane, "runObthermo:");  // Debian 12's obthermo dies of a segmentation fault
  EXPECT_EQ(pane.obshellCommand, "/usr/bin/obthermo '" + testDataPath("small.sdf") + "'   ");
  EXPECT_THAT(h.textView(pane, "obthermoText").text(), ::testing::HasSubstr("Segmentation fault"))
      << "the view says that obthermo died";

  useReportingStandIn();
  h.textView(pane, "obthermoText").setText("");
  h.press(pane, "runObthermo:");
  EXPECT_EQ(h.textView(pane, "obthermoText").text(), std::string(kReport) + "\n");
}

}  // namespace
}  // namespace molbench::testing
