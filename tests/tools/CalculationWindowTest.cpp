// The calculation panes in the real tools window: each title shows its own pane, which runs
// there like anywhere else.
#include <gmock/gmock.h>

#include "CalculationTestSupport.h"
#include "PaneFixture.h"
#include "tools/ToolsController.h"
#include "tools/obenergyviewcontroller.h"
#include "tools/obminimiseviewcontroller.h"
#include "tools/obpropviewcontroller.h"
#include "tools/obsymviewcontroller.h"
#include "tools/obthermoviewcontroller.h"

namespace molbench::testing {
namespace {

using ::testing::ElementsAre;

class CalculationPanesInWindow : public PaneTest<ToolsController> {
 protected:
  CalculationPanesInWindow() : PaneTest("ToolsController") {}
  template <class Pane>
  Pane* shownAfterPicking(const std::string& title) {
    h.choose(pane, "viewitemspopup", title);
    auto shown = pane.containView->subviews();
    for (auto* vc : {&pane.vc3, &pane.vc7, &pane.vc9, &pane.vc11, &pane.vc14})
      if (auto* typed = dynamic_cast<Pane*>(vc->get()))
        return shown.size() == 1 && shown[0] == typed->view() ? typed : nullptr;
    return nullptr;
  }
};

TEST_F(CalculationPanesInWindow, EachTitleShowsItsPaneAndTheThermochemistryReportShowsThere) {
  EXPECT_NE(shownAfterPicking<obenergyviewcontroller>("obenergy"), nullptr);
  EXPECT_NE(shownAfterPicking<obminimiseviewcontroller>("obminimise"), nullptr);
  EXPECT_NE(shownAfterPicking<obpropviewcontroller>("obprop"), nullptr);
  EXPECT_NE(shownAfterPicking<obsymviewcontroller>("obsym"), nullptr);
  auto* thermo = shownAfterPicking<obthermoviewcontroller>("obthermo");
  ASSERT_NE(thermo, nullptr);

  useStandIn();
  writeReportingStandIn(scratch("bin/obthermo"), scratch("arguments"), "Ssymm  1.38  cal/mol K");
  h.field(*thermo, "inputFilepath").setText("/data/h2o.log");
  h.field(*thermo, "symmetryNumber").setText("2");
  h.press(*thermo, "runObthermo:");
  EXPECT_THAT(standInArguments(), ElementsAre("/data/h2o.log", "--symm", "2"));
  EXPECT_EQ(h.textView(*thermo, "obthermoText").text(), "Ssymm  1.38  cal/mol K\n");
}

}  // namespace
}  // namespace molbench::testing
