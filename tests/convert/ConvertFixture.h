// A conversion pane in a fresh headless world, with the real obabel as its stored path, and
// the file helpers the conversion tests share.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "TestSupport.h"
#include "convert/Convertcontroller.h"
#include "platform/headless/Harness.h"

namespace molbench::testing {

inline std::string dataFile(const std::string& name) { return testDataPath(name); }
// How many molecules obabel itself reads from the file, from its summary line.
inline int obabelCount(const std::string& path) {
  return obabelCount(std::vector{path, std::string("-onul")});
}

class ConvertPaneTest : public ::testing::Test {
 protected:
  ConvertPaneTest();

  std::string scratch(const std::string& name) { return h.temporaryDirectory() + "/" + name; }
  void setText(const std::string& outlet, const std::string& text) {
    h.field(pane, outlet).setText(text);
  }
  void turnOn(const std::string& outlet, bool on = true) { h.button(pane, outlet).setOn(on); }
  std::string commandField() { return h.field(pane, "obabelText").text(); }
  // What Check composes for the controls as they stand.
  std::string checked();
  // Chooses the input and output files and formats of a conversion.
  void convertFiles(const std::string& input, const std::string& inputFormat,
                    const std::string& output, const std::string& outputFormat);

  headless::Harness h;
  Convertcontroller& pane;
};

}  // namespace molbench::testing
