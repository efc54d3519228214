// A conversion pane in a fresh headless world, with the real obabel as its stored path.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "PaneFixture.h"
#include "convert/Convertcontroller.h"

namespace molbench::testing {

inline const std::string kSdfRow = "sdf -- MDL MOL format";
inline const std::string kSmiRow = "smi -- SMILES format";
inline const std::string kNci = "/usr/share/RDKit/Data/NCI/first_200.props.sdf";  // in 2D

// Outlets and what they get: a box is turned over, a popup picked, a field typed into.
using Settings = std::vector<std::pair<std::string, std::string>>;

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
  void apply(const std::string& outlet, const std::string& value) {
    auto control = h.control(pane, outlet).get();
    if (auto box = dynamic_cast<headless::Button*>(control))
      box->setOn(!box->isOn());
    else if (dynamic_cast<headless::PopUpButton*>(control))
      h.choose(pane, outlet, value);
    else
      setText(outlet, value);
  }
  void apply(const Settings& settings) {
    for (const auto& [outlet, value] : settings) apply(outlet, value);
  }
};

}  // namespace molbench::testing
