// Whatever a path or typed value holds, bash hands it to obabel as exactly one argument.
#include <gmock/gmock.h>

#include <filesystem>

#include "ConvertFixture.h"

namespace molbench::testing {
namespace {

using ::testing::ElementsAre;

class ArgumentsThroughBash : public ConvertPaneTest {
 protected:
  ArgumentsThroughBash() {
    std::string program = scratch("obabel");
    writeArgumentRecorder(program, scratch("args"));
    h.defaults().set("pathToobabel", program);
  }

  std::vector<std::string> arguments() { return recordedArguments(scratch("args")); }

  const std::string nasty = "it's \"a\" $(touch pwned); `touch pwned` (b) [c] \\ $HOME & ~ \t\u00e9 !x";
};

TEST_F(ArgumentsThroughBash, PathsAndValuesArriveByteForByte) {
  std::string input = scratch(nasty + ".smi");
  std::string output = scratch("out " + nasty);
  convertFiles(input, "smi -- SMILES format", output, "sdf -- MDL MOL format");
  for (auto box : {"addTitleIndex", "appendTotitle", "filterOption", "zipoutput"}) turnOn(box);
  setText("theTitle", nasty);
  setText("valueToappend", nasty);
  setText("filterProperties", nasty);
  h.choose(pane, "smartsConvertoptions", "matching");
  setText("smartsConvert", "[N;!$(N=O)](C)C");
  h.choose(pane, "hydrogensPop", "-p Add Hydrogens appropriate for pH");
  setText("thePH", "7; touch pwned");
  turnOn("convertAll", false);
  setText("convertFrom", "1 2");
  setText("convertTo", "$(touch pwned)");

  h.press(pane, "convertFile:");
  EXPECT_THAT(arguments(),
              ElementsAre("-ismi", input, "-f", "1 2", "-l", "$(touch pwned)", "-osdf", "-p",
                          "7; touch pwned", "-O", output + ".gz", "-z", "--title", nasty, "-s",
                          "[N;!$(N=O)](C)C", "--append", nasty, "--filter", nasty));
  EXPECT_FALSE(std::filesystem::exists("pwned"));
  EXPECT_FALSE(std::filesystem::exists(scratch("pwned")));
}

TEST_F(ArgumentsThroughBash, CountQuotesItsInputPath) {
  std::string input = scratch(nasty + ".sdf");
  setText("inputFilepath", input);
  h.choose(pane, "inputFiletype", "sdf -- MDL MOL format");
  h.press(pane, "countMols:");
  EXPECT_THAT(arguments(), ElementsAre("-isdf", input, "-onul", "-v", "FFFFF"));
}

}  // namespace
}  // namespace molbench::testing
