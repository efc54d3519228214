// The main window's start-up alert, help and quit. The preferences dialog is driven through real
// widgets in the Qt suite, and the use of the stored path in tests/platform.
#include <gtest/gtest.h>

#include "TestSupport.h"
#include "app/AppDelegate.h"
#include "app/ViewController.h"
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

// A blank path names no program, as an empty one does (runs refuse both); any other text is a
// path. The Qt suite shows the same through the real alert box.
TEST(MainWindow, AnEmptyOrBlankStoredPathIsAlertedAndAnyOtherTextIsTakenAsThePath) {
  const std::pair<std::string, bool> cases[] = {
      {"", true},
      {" ", true},
      {"\t\t", true},
      {" \t\r\n", true},
      {"/usr/bin/obabel", false},
      {" /usr/bin/obabel", false},
  };
  for (const auto& [stored, alerted] : cases) {
    Harness h;
    h.defaults().set("pathToobabel", stored);
    EXPECT_EQ(h.make<ViewController>("ViewController").obabelPath, stored);
    EXPECT_EQ(h.alerts().size(), alerted ? 1u : 0u) << '"' << stored << '"';
    if (alerted && !h.alerts().empty()) {
      EXPECT_EQ(h.alerts().front().messageText,
                "You must add path to Openbabel in the preferences");
    }
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

}  // namespace
}  // namespace molbench
