#include "SearchTestSupport.h"

namespace molbench::testing {

void SearchPaneTest::useStandIn() {
  std::string program = temp() + "/stand-in-obabel";
  writeArgumentRecorder(program, program + ".arguments");
  useObabel(program);
}

std::vector<std::string> SearchPaneTest::standInArguments() {
  return recordedArguments(temp() + "/stand-in-obabel.arguments");
}

}  // namespace molbench::testing
