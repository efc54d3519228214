#include "ConvertFixture.h"


namespace molbench::testing {

ConvertPaneTest::ConvertPaneTest() : pane(h.make<Convertcontroller>("Convertcontroller")) {
  h.defaults().set("pathToobabel", kObabel);
}

std::string ConvertPaneTest::checked() {
  h.press(pane, "checkObabel:");
  return commandField();
}

void ConvertPaneTest::convertFiles(const std::string& input, const std::string& inputFormat,
                                   const std::string& output, const std::string& outputFormat) {
  setText("inputFilepath", input);
  setText("outputFilepath", output);
  h.choose(pane, "inputFiletype", inputFormat);
  h.choose(pane, "outputFiletype", outputFormat);
}

}  // namespace molbench::testing
