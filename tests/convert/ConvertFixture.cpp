#include "ConvertFixture.h"

#include <fstream>
#include <regex>
#include <sstream>

#include "common/Shell.h"

namespace molbench::testing {

std::string dataFile(const std::string& name) {
  return std::string(MOLBENCH_TEST_DATA_DIR) + "/" + name;
}

std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

void writeFile(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

int obabelCount(const std::string& path) {
  auto output = shell(std::string(kObabel) + " '" + path + "' -onul 2>&1");
  if (!output) return -1;
  static const std::regex summary(R"(^(\d+) molecules? converted$)");
  std::istringstream lines(*output);
  std::smatch match;
  for (std::string line; std::getline(lines, line);)
    if (std::regex_match(line, match, summary)) return std::stoi(match[1]);
  return -1;
}

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
