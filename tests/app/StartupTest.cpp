#include <gtest/gtest.h>

#include "TestSupport.h"
#include "app/AppDelegate.h"
#include "app/PrefsViewController.h"
#include "app/ViewController.h"
#include "common/Shell.h"
#include "platform/FileUrl.h"
#include "platform/headless/Harness.h"

namespace molbench {
namespace {

using headless::Harness;

TEST(MainWindow, AbsentPathIsPrintedAndAlerted) {
  Harness h;
  auto& window = h.make<ViewController>("ViewController");
  EXPECT_EQ(window.obabelPath, "Need obabel Path");
  EXPECT_EQ(h.diagnostics(), std::vector<std::string>{"Need obabel Path"});
  ASSERT_EQ(h.alerts().size(), 1u);
  const auto& alert = h.alerts().front();
  EXPECT_EQ(alert.messageText, "You must add path to Openbabel in the preferences");
  EXPECT_EQ(alert.informativeText,
            "You can find the path by typing which obabel in a Terminal window");
  EXPECT_EQ(alert.style, platform::AlertStyle::Warning);
  EXPECT_EQ(alert.buttons, (std::vector<std::string>{"OK", "Cancel"}));
}

TEST(MainWindow, EmptyPathAlertsAnyOtherTextDoesNot) {
  Harness empty;
  empty.defaults().set("pathToobabel", "");
  empty.answerAlert(1);  // Cancel closes it like OK
  empty.make<ViewController>("ViewController");
  EXPECT_EQ(empty.diagnostics(), std::vector<std::string>{""});
  EXPECT_EQ(empty.alerts().size(), 1u);

  for (const std::string stored : {"/usr/bin/obabel", "Need Path", " "}) {
    Harness h;
    h.defaults().set("pathToobabel", stored);
    auto& window = h.make<ViewController>("ViewController");
    EXPECT_EQ(window.obabelPath, stored);
    EXPECT_TRUE(h.alerts().empty()) << stored;
  }
}

TEST(MainWindow, HelpOpensTheShippedPageAndQuitEnds) {
  Harness h;
  h.defaults().set("pathToobabel", "/usr/bin/obabel");
  auto& window = h.make<ViewController>("ViewController");
  h.press(window, "openHelpURL:");
  ASSERT_EQ(h.opened().size(), 1u);
  auto page = platform::FileUrl::fromString(h.opened().front());
  ASSERT_TRUE(page);
  EXPECT_NE(testing::readFile(page->path()).find("<title>Molbench help</title>"),
            std::string::npos);

  h.setResourcePath(std::nullopt);
  h.press(window, "openHelpURL:");
  EXPECT_EQ(h.opened().size(), 1u);

  EXPECT_FALSE(h.terminated());
  h.press(window, "quitApp:");
  EXPECT_TRUE(h.terminated());
  EXPECT_TRUE(AppDelegate().applicationShouldTerminateAfterLastWindowClosed());
}

TEST(Preferences, ShowsTheStoredPathOrAPlaceholder) {
  Harness h;
  auto& prefs = h.make<PrefsViewController>("PrefsViewController");
  EXPECT_EQ(h.field(prefs, "pathToobabel").text(), "");
  EXPECT_EQ(h.field(prefs, "pathToobabel").placeholder(), "Need Path");

  Harness stored;
  stored.defaults().set("pathToobabel", "/opt/ob/bin/obabel");
  auto& shown = stored.make<PrefsViewController>("PrefsViewController");
  EXPECT_EQ(stored.field(shown, "pathToobabel").text(), "/opt/ob/bin/obabel");
}

TEST(Preferences, OkStoresTheFieldExactlyCancelStoresNothing) {
  Harness h;
  auto& prefs = h.make<PrefsViewController>("PrefsViewController");
  // The untouched placeholder stores the empty text, so the start-up alert stays.
  h.press(prefs, "okButtonClicked:");
  EXPECT_EQ(h.defaults().stringForKey("pathToobabel"), "");
  EXPECT_EQ(h.closedWindows(), std::vector<std::string>{"PrefsViewController"});

  h.field(prefs, "pathToobabel").setText("  /usr/bin/obabel ");
  h.press(prefs, "okButtonClicked:");
  EXPECT_EQ(h.defaults().stringForKey("pathToobabel"), "  /usr/bin/obabel ");

  h.field(prefs, "pathToobabel").setText("/elsewhere/obabel");
  h.press(prefs, "cancelButtonClicked:");
  EXPECT_EQ(h.defaults().stringForKey("pathToobabel"), "  /usr/bin/obabel ");
  EXPECT_EQ(h.closedWindows().size(), 3u);
}

TEST(Preferences, AStoredPathIsUsedByTheNextRun) {
  Harness h;
  auto& prefs = h.make<PrefsViewController>("PrefsViewController");
  h.field(prefs, "pathToobabel").setText("/usr/bin/obabel");
  h.press(prefs, "okButtonClicked:");
  std::string command;
  auto output = runComposedCommand(h, command, lookUpObabelPath(h) + " -V");
  ASSERT_TRUE(output);
  EXPECT_NE(output->find("Open Babel 3."), std::string::npos);
}

TEST(Preferences, MissingFieldStoresNothingAndSaysSo) {
  Harness h;
  auto& prefs = h.make<PrefsViewController>("PrefsViewController");
  h.disconnect(prefs, "pathToobabel");
  h.press(prefs, "okButtonClicked:");
  EXPECT_FALSE(h.defaults().stringForKey("pathToobabel"));
  ASSERT_FALSE(h.diagnostics().empty());
  EXPECT_NE(h.diagnostics().back().find("pathToobabel"), std::string::npos);
}

}  // namespace
}  // namespace molbench
