// The tools window: fifteen panes made once, swapped into the container, each keeping its
// fields; the editor page beside them.
#include <gmock/gmock.h>

#include "PaneFixture.h"
#include "tools/ToolsController.h"
#include "tools/obtoolsviewcontroller.h"

namespace molbench::testing {
namespace {

using ::testing::ElementsAre;

class ToolsWindow : public PaneTest<ToolsController> {
 protected:
  ToolsWindow() : PaneTest("ToolsController") {}

  std::vector<std::shared_ptr<platform::View>> shown() { return pane.containView->subviews(); }
  void pick(const std::string& title) { h.choose(pane, "viewitemspopup", title); }
};

TEST_F(ToolsWindow, MakesFifteenPanesOnceAndShowsTheBlankOneAtTheContainersSize) {
  auto& popup = h.popup(pane, "viewitemspopup");
  EXPECT_THAT(popup.itemTitles(),
              ElementsAre("Choose", "obconformer", "obconfab", "obenergy", "obfit", "obgen",
                          "obminimise", "obprobe", "obprop", "obrms", "obrotate", "obsym",
                          "obtautomer", "obthermo", "obspectrophore"));
  EXPECT_EQ(popup.titleOfSelectedItem(), "Choose");
  // Children in creation order: vc1 to vc15.
  EXPECT_THAT(
      pane.childViewControllers(),
      ElementsAre(pane.vc1, pane.vc2, pane.vc3, pane.vc4, pane.vc5, pane.vc6, pane.vc7, pane.vc8,
                  pane.vc9, pane.vc10, pane.vc11, pane.vc12, pane.vc13, pane.vc14, pane.vc15));
  EXPECT_NE(dynamic_cast<obtoolsviewcontroller*>(pane.vc1.get()), nullptr);
  EXPECT_FALSE(pane.vc6->isViewLoaded());
  ASSERT_EQ(shown().size(), 1u);
  EXPECT_EQ(shown()[0], pane.vc1->view());
  EXPECT_EQ(pane.vc1->view()->frame(), pane.containView->bounds());
}

TEST_F(ToolsWindow, EachTitleSwapsItsOwnPaneInAndEachKeepsItsFields) {
  auto titles = h.popup(pane, "viewitemspopup").itemTitles();
  for (const auto& title : std::vector(titles.begin() + 1, titles.end())) {
    pick(title);
    ASSERT_EQ(shown().size(), 1u);
    int showing = 0;
    for (const auto& child : pane.childViewControllers())
      if (child->isViewLoaded() && child->view() == shown()[0]) {
        EXPECT_EQ(child->identifier(), title);
        ++showing;
      }
    EXPECT_EQ(showing, 1) << title;
  }
  pick("obgen");
  auto& obgen = *pane.vc6;
  // The pane's own set-up ran on its first showing.
  EXPECT_EQ(h.popup(obgen, "performance").titleOfSelectedItem(), "--medium");
  h.field(obgen, "inputFilepath").setText("/data/typed.sdf");
  h.choose(obgen, "performance", "--best");
  pick("obconfab");
  pick("obgen");
  pick("obgen");
  EXPECT_THAT(shown(), ElementsAre(pane.vc6->view()));
  EXPECT_EQ(h.field(obgen, "inputFilepath").text(), "/data/typed.sdf");
  EXPECT_EQ(h.popup(obgen, "performance").titleOfSelectedItem(), "--best");
  pick("Choose");
  EXPECT_THAT(shown(), ElementsAre(pane.vc1->view()));
}

TEST_F(ToolsWindow, ATitleThatMatchesNoPaneChangesNothing) {
  pick("obgen");
  auto& popup = h.popup(pane, "viewitemspopup");
  popup.addItemsWithTitles({"obnothing"});
  popup.selectItemAtIndex(15);
  popup.sendAction();
  popup.selectItemAtIndex(-1);
  popup.sendAction();
  EXPECT_THAT(shown(), ElementsAre(pane.vc6->view()));
}

TEST_F(ToolsWindow, ShowsTheEditorPageInItsWebView) {
  h.press(pane, "LoadEditor:");
  auto loads = h.loads(pane, "molView");
  ASSERT_EQ(loads.size(), 1u);
  EXPECT_THAT(loads[0], ::testing::EndsWith("/theEditor.htm"));
  EXPECT_THAT(readFile(temp() + "/theEditor.htm"), ::testing::HasSubstr("jsme"));
  EXPECT_THAT(h.diagnostics(), ElementsAre("for webpage"));
}

}  // namespace
}  // namespace molbench::testing
