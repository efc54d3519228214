// A control reaches its pane only while the pane lives: a widget that outlives its pane, or a
// pane that nobody owns, makes clicks do nothing instead of calling into a dead object.
#include <gtest/gtest.h>

#include "platform/ActionDispatch.h"
#include "platform/Bindings.h"
#include "platform/headless/Harness.h"

namespace molbench {
namespace {

class CountingPane : public platform::BoundViewController<CountingPane> {
 public:
  using BoundViewController::BoundViewController;
  static const platform::Bindings<CountingPane>& bindings() {
    static const auto table = platform::Bindings<CountingPane>().action("hit:", &CountingPane::hit);
    return table;
  }
  void hit(platform::Control*) { ++hits; }
  int hits = 0;
};

TEST(ActionDispatch, ReachesThePaneWhileItLivesAndNothingOnceItIsGone) {
  headless::Harness h;
  headless::Button button;
  auto pane = std::make_shared<CountingPane>(h);
  button.setAction(platform::dispatchTo(*pane, "hit:"));
  button.sendAction();
  EXPECT_EQ(pane->hits, 1);
  pane.reset();
  button.sendAction();

  CountingPane unowned(h);
  button.setAction(platform::dispatchTo(unowned, "hit:"));
  button.sendAction();
  EXPECT_EQ(unowned.hits, 0);
}

}  // namespace
}  // namespace molbench
