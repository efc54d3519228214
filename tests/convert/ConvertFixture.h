// A conversion pane in a fresh headless world, with the real obabel as its stored path.
#pragma once

#include <string>

#include "PaneFixture.h"
#include "convert/Convertcontroller.h"

namespace molbench::testing {

inline const std::string kSdfRow = "sdf -- MDL MOL format";
inline const std::string kSmiRow = "smi -- SMILES format";

class ConvertPaneTest : public PaneTest<Convertcontroller> {
 protected:
  ConvertPaneTest() : PaneTest("Convertcontroller") {}

  std::string commandField() { return text("obabelText"); }
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
};

}  // namespace molbench::testing
