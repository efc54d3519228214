// The exact command texts that Check shows and Convert runs, and what bash makes of them.
#include <gmock/gmock.h>

#include <filesystem>
#include <regex>
#include <tuple>

#include "ConvertFixture.h"
#include "common/DiskRoom.h"
#include "convert/SplitScratch.h"

namespace molbench::testing {
namespace {

// What a split under a selection runs between its two runs: a full temporary folder stops it.
// Its test is the user's or root's, as this test runs (SplitScratchTest runs both).
const std::string kRoomCheck = scratchRoomCheck("\"$tmp\"", shellScratchKeptFromRoot());

using ::testing::ElementsAre;
using ::testing::EndsWith;

using CommandText = ConvertPaneTest;

TEST_F(CommandText, WorkedExampleIsExactAndOnlyConvertRunsIt) {
  useObabel("/usr/local/bin/obabel");
  const std::string d = temp();
  convertFiles(molecules("in.sdf"), kSdfRow, d + "/out", "mol2 -- Sybyl Mol2 format");
  h.choose(pane, "hydrogensPop", "-h Add Hydrogens");
  h.choose(pane, "smartsConvertoptions", "matching");
  setText("smartsConvert", "c1ccccc1");
  turnOn("onlyUniquemols");
  turnOn("generate3D");
  const std::string expected = "/usr/local/bin/obabel -isdf '" + d +
                               "/in.sdf'    -omol2  -h  -O '" + d +
                               "/out'.mol2 --unique  --gen3d   -s c1ccccc1 ";
  EXPECT_EQ(checked(), expected);
  EXPECT_THAT(h.diagnostics(), ElementsAre(kSdfRow));

  setText("obabelText", "left alone");
  h.press(pane, "convertFile:");
  EXPECT_EQ(commandField(), "left alone");
  EXPECT_THAT(h.diagnostics(), ElementsAre(kSdfRow, kSdfRow, expected));
  ASSERT_EQ(h.alerts().size(), 1u) << "there is no obabel in /usr/local/bin";
  EXPECT_EQ(h.alerts()[0].messageText, "obabel failed");
}

TEST_F(CommandText, BlankRunsSwitchesThatLeaveNothingBehindAndTheOutputExtension) {
  // Every box but the two that choose the range, and the split: under a selection it takes a
  // run of its own (below).
  std::vector<std::string> switches;
  for (const auto& [name, kind] : pane.outletInfo())
    if (kind == platform::ControlKind::Button && name != "convertAll" &&
        name != "convertSeletion" && name != "splitIntoindividualmols")
      switches.push_back(name);
  useObabel("OB");
  const std::string d = temp();
  convertFiles(molecules("a.sdf"), kAutodetectRow, d + "/b.smi", kAutodetectRow);
  const std::string plain = "OB  '" + d + "/a.sdf'        -O '" + d + "/b.smi'";
  EXPECT_EQ(checked(), plain);
  EXPECT_TRUE(h.diagnostics().empty());

  for (const auto& box : switches) turnOn(box);
  setText("theTitle", "T");
  setText("valueToappend", "MW");
  setText("filterProperties", "MW<130");
  h.choose(pane, "smartsConvertoptions", "not_matching");
  setText("smartsConvert", "[#7]");
  turnOn("convertAll", false);
  setText("convertFrom", "2");
  setText("convertTo", "5");
  EXPECT_EQ(checked(), "OB  '" + d + "/a.sdf'  -f 2 -l 5     -O '" + d +
                           "/b.smi'.gz -c  -b  --unique  --join  --canonical   -z  --gen2d   "
                           "--gen3d   --title  T  -r  -v '[#7]'  --append \"MW\"  "
                           "--filter \"MW<130\"");

  for (const auto& box : switches) turnOn(box, false);
  turnOn("convertAll");
  h.choose(pane, "smartsConvertoptions", "Choose");
  EXPECT_EQ(checked(), plain);

  const std::tuple<std::string, std::string, bool, std::string> cases[] = {
      {"/out", kSmiRow, false, "/out'.smi"},
      {"/out", kSmiRow, true, "/out'.gz -z "},
      {"/data.old/out", kSmiRow, false, "/data.old/out'"},
      {"/it's", kSmiRow, false, "/it'\\''s'.smi"},
      // With the format left to the extension, an earlier format's code is no guess to make.
      {"/it's", kAutodetectRow, false, "/it'\\''s'"},
  };
  std::filesystem::create_directories(d + "/data.old");
  for (const auto& [path, format, compress, ending] : cases) {
    setText("outputFilepath", d + path);
    h.choose(pane, "outputFiletype", format);
    turnOn("zipoutput", compress);
    EXPECT_THAT(checked(), EndsWith("-O '" + d + ending)) << path << " " << format;
  }
}

// With coordinates the pH goes to a second run, piped, or through a temporary file when the
// second run splits; beside any other hydrogen row it is left out.
TEST_F(CommandText, PHComesAfterTheCoordinates) {
  useObabel("OB");
  const std::string d = temp();
  convertFiles(molecules("a.sdf"), kAutodetectRow, d + "/b.sdf", kAutodetectRow);
  setText("thePH", "7.4");
  const std::string in = "OB  '" + d + "/a.sdf'    ", out = " -O '" + d + "/b.sdf'";
  h.choose(pane, "hydrogensPop", "-p Add Hydrogens appropriate for pH");
  turnOn("generate3D");
  turnOn("centreCordinates");
  EXPECT_EQ(checked(),
            "set -o pipefail; " + in + "-osdf --gen3d   | OB -isdf -   -p 7.4" + out + " -c ");
  turnOn("splitIntoindividualmols");
  EXPECT_EQ(checked(), "tmp=$(mktemp) && trap 'rm -f -- \"$tmp\"' EXIT && " + in +
                           "-osdf --gen3d   > \"$tmp\" && " + kRoomCheck +
                           " && OB -isdf /dev/fd/3   -p 7.4" + out + " -c  -m  3< \"$tmp\"");
  h.choose(pane, "hydrogensPop", "-h Add Hydrogens");
  EXPECT_EQ(checked(), in + "  -h " + out + " -c  -m  --gen3d  ");
}

// A split under a selection splits what a first run wrote into a temporary file, in the output's
// format, once the file proves to have had room; a compressed one writes into a scratch folder,
// which obabel reaches by a descriptor, and gzip compresses each file under obabel's numbered
// name, counting them.
TEST_F(CommandText, ASplitThatSelectsOrCompressesSplitsWhatAnotherRunWrote) {
  useObabel("OB");
  const std::string d = temp();
  convertFiles(molecules("a.sdf"), kAutodetectRow, d + "/b's.smi", kSmiRow);
  h.choose(pane, "outputFileoptions", "-xn No molecule name");
  h.choose(pane, "hydrogensPop", "-h Add Hydrogens");
  turnOn("splitIntoindividualmols");
  const std::string in = "OB  '" + d + "/a.sdf'    ", out = " -O '" + d + "/b'\\''s.smi' -m ";
  EXPECT_EQ(checked(), in + "-osmi -xn -h " + out);
  h.choose(pane, "smartsConvertoptions", "matching");
  setText("smartsConvert", "[#7]");
  // The first run copies the records it selects; the split run reads them in the input's format.
  EXPECT_EQ(checked(), "tmp=$(mktemp) && trap 'rm -f -- \"$tmp\"' EXIT && " + in +
                           "-ocopy -h  -s '[#7]'  > \"$tmp\" && " + kRoomCheck +
                           " && OB -isdf /dev/fd/3  -osmi -xn -h " + out + " 3< \"$tmp\"");
  // An input whose records obabel cannot copy whole (a carriage return inside a line) is written
  // anew, in the output's format.
  writeFile(d + "/a.smi", "CCN ethyl\ramine\n");
  setText("inputFilepath", d + "/a.smi");
  EXPECT_EQ(checked(), "tmp=$(mktemp) && trap 'rm -f -- \"$tmp\"' EXIT && OB  '" + d +
                           "/a.smi'    -osmi -xn -h  -s '[#7]'  > \"$tmp\" && " + kRoomCheck +
                           " && OB -ismi /dev/fd/3 -osmi -xn " + out + " 3< \"$tmp\"");
  setText("inputFilepath", d + "/a.sdf");
  h.choose(pane, "smartsConvertoptions", "Choose");
  turnOn("zipoutput");
  std::string roomInFolder = std::regex_replace(kRoomCheck, std::regex("tmp"), "dir");
  EXPECT_EQ(
      checked(),
      "dir=$(mktemp -d --tmpdir splitXXXXXX) && trap 'rm -rf -- \"$dir\"' EXIT && " + in +
          "-osmi -xn -h  -O /dev/fd/4/m.smi -m  4< \"$dir\" && " + roomInFolder +
          " && i=1 && while [ -e \"$dir\"/m\"$i\".smi ]; do gzip -n < \"$dir\"/m\"$i\".smi > '" +
          d + "/b'\\''s'\"$i\"'.smi.gz' || exit; i=$((i + 1)); done && { set -- \"$dir\"/m*; " +
          "[ -e \"$1\" ] || shift; [ $# = $((i - 1)) ] || { echo \"obabel wrote $# files " +
          "in the temporary folder and $((i - 1)) of them were put in place: the split " +
          "is incomplete.\" >&2; exit 1; }; }");
  // A named format keeps obabel from compressing for the name alone.
  turnOn("zipoutput", false);
  setText("outputFilepath", d + "/b.smi.gz");
  EXPECT_EQ(checked(), in + "-osmi -xn -h  -O '" + d + "/b.smi.gz' -m ");
}

TEST_F(CommandText, EveryPathAndValueReachesObabelAsOneArgument) {
  useStandIn();
  const std::string nasty =
      "it's \"a\" $(touch pwned); `touch pwned` (b) [c] \\ $HOME & ~ \t\u00e9 !x";
  std::string input = scratch(nasty + ".smi");
  std::string output = scratch("out " + nasty);
  writeFile(input, "CCO ethanol\n");
  convertFiles(input, kSmiRow, output, kSdfRow);
  for (auto box : {"addTitleIndex", "appendTotitle", "filterOption", "zipoutput"}) turnOn(box);
  for (auto field : {"theTitle", "valueToappend", "filterProperties"}) setText(field, nasty);
  h.choose(pane, "smartsConvertoptions", "matching");
  setText("smartsConvert", "[N;!$(N=O)](C)C");
  h.choose(pane, "hydrogensPop", "-p Add Hydrogens appropriate for pH");
  setText("thePH", "7; touch pwned");
  turnOn("convertAll", false);
  setText("convertFrom", "1 2");
  setText("convertTo", "$(touch pwned)");

  h.press(pane, "convertFile:");
  EXPECT_THAT(standInArguments(),
              ElementsAre("-ismi", input, "-f", "1 2", "-l", "$(touch pwned)", "-osdf", "-p",
                          "7; touch pwned", "-O", output + ".gz", "-z", "--title", nasty, "-s",
                          "[N;!$(N=O)](C)C", "--append", nasty, "--filter", nasty));
  h.press(pane, "countMols:");
  EXPECT_THAT(standInArguments(), ElementsAre("-ismi", input, "-onul", "-v", "FFFFF"));
  EXPECT_FALSE(std::filesystem::exists("pwned"));
  EXPECT_FALSE(std::filesystem::exists(scratch("pwned")));

  // A value left empty after its option is still its argument: the option never takes the
  // next word for its value. An empty range bound is an open end and leaves its option out.
  // (An empty SMARTS pattern is refused; "Choose" leaves the filter out.)
  for (auto field : {"theTitle", "convertFrom"}) setText(field, "");
  h.choose(pane, "smartsConvertoptions", "Choose");
  turnOn("zipoutput", false);
  h.press(pane, "convertFile:");
  EXPECT_THAT(standInArguments(), ElementsAre("-ismi", input, "-l", "$(touch pwned)", "-osdf", "-p",
                                              "7; touch pwned", "-O", output + ".sdf", "--title",
                                              "", "--append", nasty, "--filter", nasty));
}

}  // namespace
}  // namespace molbench::testing
