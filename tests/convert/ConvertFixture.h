// A conversion pane in a fresh headless world, with the real obabel as its stored path.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "TestSupport.h"
#include "convert/Convertcontroller.h"
#include "platform/headless/Harness.h"

namespace molbench::testing {

inline const std::string kSdfRow = "sdf -- MDL MOL format";
inline const std::string kSmiRow = "smi -- SMILES format";

class ConvertPaneTest : public ::testing::Test {
 protected:
  ConvertPaneTest() { h.defaults().set("pathToobabel", kObabel); }

  std::string scratch(const std::string& name) { return h.temporaryDirectory() + "/" + name; }
  void setText(const std::string& outlet, const std::string& text) {
    h.field(pane, outlet).setText(text);
  }
  void turnOn(const std::string& outlet, bool on = true) { h.button(pane, outlet).setOn(on); }
  std::string commandField() { return h.field(pane, "obabelText").text(); }
  // What Check composes for the controls as they stand.
  std::string checked() {
    h.press(pane, "checkObabel:");
    return commandField();
  }
  void convertFiles(const std::string& input, const std::string& inputFormat,
                    const std::string& output, const std::string& outputFormat) {
    setText("inputFilepath", input);
    setText("outputFilepath", output);
    h.choose(pane, "inputFiletype", inputFormat);
    h.choose(pane, "outputFiletype", outputFormat);
  }

  headless::Harness h;
  Convertcontroller& pane = h.make<Convertcontroller>("Convertcontroller");
};

}  // namespace molbench::testing
