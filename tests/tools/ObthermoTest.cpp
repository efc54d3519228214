// The thermochemistry pane. Debian 12's obthermo crashes on every molecule, so the reports
// come from a stand-in obthermo beside a stand-in obabel; the real program runs once to show
// that its crash leaves the pane working.
#include "ToolPattern.h"
#include "common/ShellQuote.h"
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

class Obthermo : public ToolPane<obthermoviewcontroller, "obthermo"> {
 protected:
  void useReportingStandIn() {
    useStandIn();
    writeReportingStandIn(scratch("bin/obthermo"), scratch("arguments"), kReport);
  }
};

TEST_F(Obthermo, OptionsFollowTheFieldsAtEachRunAndReportsAccumulate) {
  EXPECT_EQ(h.popup(pane, "outputunits").itemTitles(), (Titles{"kcal/mol", "kJ/mol"}));
  useReportingStandIn();
  setText("inputFilepath", molecules("water's.log"));
  h.choose(pane, "outputunits", "kJ/mol");
  setText("symmetryNumber", "2");
  setText("numRotbonds", "3");
  setText("tempDeriv", "0.5");
  h.press(pane, "runObthermo:");
  EXPECT_EQ(pane.obshellCommand, scratch("bin/obthermo") + " '" + temp() +
                                     "/water'\\''s.log' --kj   --symm 2  --nrot 3  --dbdt 0.5");

  h.choose(pane, "outputunits", "kcal/mol");
  setText("symmetryNumber", "");
  setText("numRotbonds", " ");
  h.press(pane, "runObthermo:");
  EXPECT_THAT(pane.obshellCommand, ::testing::EndsWith("'   --nrot ' '  --dbdt 0.5"));
  const std::string report = std::string(kReport) + "\n";
  EXPECT_EQ(h.textView(pane, "obthermoText").text(), report + report);
}

TEST_F(Obthermo, TheRealCrashLeavesThePaneWorking) {
  setText("inputFilepath", testDataPath("small.sdf"));
  h.press(pane, "runObthermo:");  // Debian 12's obthermo dies of a segmentation fault
  EXPECT_EQ(pane.obshellCommand,
            "/usr/bin/obthermo " + quotedPath(testDataPath("small.sdf")) + "   ");
  EXPECT_THAT(h.textView(pane, "obthermoText").text(), ::testing::HasSubstr("Segmentation fault"))
      << "the view says that obthermo died";

  useReportingStandIn();
  h.textView(pane, "obthermoText").setText("");
  h.press(pane, "runObthermo:");
  EXPECT_EQ(h.textView(pane, "obthermoText").text(), std::string(kReport) + "\n");
}

}  // namespace
}  // namespace molbench::testing
