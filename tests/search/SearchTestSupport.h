// Shared pieces of the search pane tests: a pane in a fresh headless world, obabel run with an
// argument vector (no shell in between), and a stand-in obabel that records its arguments.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestSupport.h"
#include "platform/headless/Harness.h"
#include "search/SearchViewController.h"

namespace molbench::testing {

class SearchPaneTest : public ::testing::Test {
 protected:
  SearchPaneTest() : pane(h.make<SearchViewController>("SearchViewController")) {}

  void setText(const std::string& outlet, const std::string& text) {
    h.field(pane, outlet).setText(text);
  }
  std::string text(const std::string& outlet) { return h.field(pane, outlet).text(); }
  void useObabel(const std::string& path) { h.defaults().set("pathToobabel", path); }
  std::string temp() { return h.temporaryDirectory(); }

  // Makes the stored obabel path a program that writes each argument it gets on a line of
  // its own, so a test sees how bash split a command.
  void useStandIn();
  std::vector<std::string> standInArguments();

  headless::Harness h;
  SearchViewController& pane;
};

}  // namespace molbench::testing
