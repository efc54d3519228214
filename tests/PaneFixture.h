// A pane in a fresh headless world: scratch files, typed fields, a stored obabel path and a
// stand-in program that records the arguments bash hands it.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestSupport.h"
#include "platform/headless/Harness.h"

namespace molbench::testing {

template <class Pane>
class PaneTest : public ::testing::Test {
 protected:
  // The pane is made by its scene identifier; the real obabel is the stored path.
  explicit PaneTest(const std::string& identifier) : pane(h.make<Pane>(identifier)) {
    useObabel(kObabel);
  }

  std::string temp() { return h.temporaryDirectory(); }
  std::string scratch(const std::string& name) { return temp() + "/" + name; }
  void setText(const std::string& outlet, const std::string& text) {
    h.field(pane, outlet).setText(text);
  }
  std::string text(const std::string& outlet) { return h.field(pane, outlet).text(); }
  void turnOn(const std::string& outlet, bool on = true) { h.button(pane, outlet).setOn(on); }
  void useObabel(const std::string& path) { h.defaults().set("pathToobabel", path); }
  // A small molecule file in the scratch folder, for a run that must find its input.
  std::string molecules(const std::string& name) {
    writeFile(scratch(name), readFile(testDataPath("small.sdf")));
    return scratch(name);
  }

  // Stores as the obabel path a program that records each argument it gets, so a test sees
  // how bash split a command. Sibling programs (obgen, obprop, …) can be made the same way
  // with standInSibling.
  void useStandIn() {
    writeArgumentRecorder(scratch("bin/obabel"), scratch("arguments"));
    useObabel(scratch("bin/obabel"));
  }
  void standInSibling(const std::string& program) {
    writeArgumentRecorder(scratch("bin/" + program), scratch("arguments"));
  }
  std::vector<std::string> standInArguments() { return recordedArguments(scratch("arguments")); }

  headless::Harness h;
  Pane& pane;
};

}  // namespace molbench::testing
