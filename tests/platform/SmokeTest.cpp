#include <gtest/gtest.h>

#include "app/PrefsViewController.h"
#include "platform/headless/Harness.h"

TEST(Harness, LoadsAPane) {
  molbench::headless::Harness h;
  auto& prefs = h.make<molbench::PrefsViewController>("PrefsViewController");
  EXPECT_EQ(h.field(prefs, "pathToobabel").placeholder(), "Need Path");
}
