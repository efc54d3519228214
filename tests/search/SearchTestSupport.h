// A search pane in a fresh headless world, and a stand-in obabel that records its arguments.
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
  void setText(const std::string& outlet, const std::string& text) {
    h.field(pane, outlet).setText(text);
  }
  std::string text(const std::string& outlet) { return h.field(pane, outlet).text(); }
  void useObabel(const std::string& path) { h.defaults().set("pathToobabel", path); }
  std::string temp() { return h.temporaryDirectory(); }

  // Makes the stored obabel path a program that records each argument it gets, so a test sees
  // how bash split a command.
  void useStandIn() {
    writeArgumentRecorder(temp() + "/stand-in", temp() + "/arguments");
    useObabel(temp() + "/stand-in");
  }
  std::vector<std::string> standInArguments() { return recordedArguments(temp() + "/arguments"); }

  headless::Harness h;
  SearchViewController& pane = h.make<SearchViewController>("SearchViewController");
};

}  // namespace molbench::testing
