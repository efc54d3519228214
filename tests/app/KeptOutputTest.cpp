// A run that gives no result keeps the output file the user had at its name: obabel's -O and the
// shell's "> " empty it before the program has read a molecule. With the real programs, each
// row runs once into a file that held an earlier result (or none) and says what must follow.
#include <gmock/gmock.h>

#include <filesystem>
#include <functional>

#include "TestSupport.h"
#include "convert/Convertcontroller.h"
#include "platform/headless/Harness.h"
#include "search/SearchViewController.h"
#include "tools/obfitviewcontroller.h"
#include "tools/obrotateviewcontroller.h"
#include "tools/obspectrophoreviewcontroller.h"
#include "tools/obsymviewcontroller.h"
#include "tools/obtautomerviewcontroller.h"

namespace molbench::testing {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

constexpr const char* kEarlier = "an earlier result\n";
constexpr const char* kJunk = "not a molecule\n";
constexpr const char* kBack = "before is back in place, unchanged.";

// What the output holds after the run.
enum class After { earlier, empty, result };

using Make = std::function<platform::ViewController&(headless::Harness&)>;
template <class Pane>
Make scene(const char* identifier) {
  return [identifier](headless::Harness& h) -> platform::ViewController& {
    return h.make<Pane>(identifier);
  };
}

struct KeptOutputCase {
  std::string name;
  Make make;
  std::string run;
  // The input's name and its text; "3D:" and a SMILES stands for that molecule with 3D
  // coordinates, "data:" and a name for that file of tests/data.
  std::string input;
  std::string content;
  // Outlets set before the run; "IN", "OUT" and "TEMPLATE" stand for the scratch files.
  std::vector<std::pair<std::string, std::string>> fields;
  std::vector<std::pair<std::string, std::string>> choices = {};
  std::vector<std::pair<std::string, bool>> buttons = {};
  bool earlierFile = true;
  // The one alert's title ("" for none, "*" for any) and words in its text.
  std::string title = "";
  std::vector<std::string> words = {};
  After after = After::earlier;
  std::string output = "out.sdf";
};

void PrintTo(const KeptOutputCase& c, std::ostream* os) { *os << c.name; }

class KeptOutput : public ::testing::TestWithParam<KeptOutputCase> {
 protected:
  KeptOutput() { h.defaults().set("pathToobabel", kObabel); }
  std::string scratch(const std::string& name) { return h.temporaryDirectory() + "/" + name; }
  void make(const std::string& path, const std::string& content) {
    if (content.starts_with("3D:"))
      runForOutput("/usr/bin/obabel -:'" + content.substr(3) + "' -O '" + path +
                   "' --gen3D 2>/dev/null");
    else if (content.starts_with("data:"))
      writeFile(path, readFile(testDataPath(content.substr(5))));
    else
      writeFile(path, content);
  }
  std::string resolved(const std::string& value) {
    if (value == "IN") return scratch(GetParam().input);
    if (value == "OUT") return scratch(GetParam().output);
    if (value == "TEMPLATE") return scratch("template.sdf");
    return value;
  }
  // The words with "IN" and "OUT" in quotes standing for those paths.
  std::string expanded(std::string words) {
    for (std::string stand : {"IN", "OUT"})
      for (size_t at; (at = words.find("\"" + stand + "\"")) != std::string::npos;)
        words.replace(at + 1, stand.size(), resolved(stand));
    return words;
  }
  headless::Harness h;
};

TEST_P(KeptOutput, AFailedRunPutsTheEarlierOutputBackAndSaysSo) {
  const auto& c = GetParam();
  make(scratch(c.input), c.content);
  make(scratch("template.sdf"), "3D:CCCC");
  std::string output = scratch(c.output);
  if (c.earlierFile) writeFile(output, kEarlier);
  auto& pane = c.make(h);
  for (const auto& [outlet, value] : c.fields) h.field(pane, outlet).setText(resolved(value));
  for (const auto& [popup, title] : c.choices) h.choose(pane, popup, title);
  for (const auto& [button, on] : c.buttons) h.button(pane, button).setOn(on);
  h.press(pane, c.run);

  if (c.title.empty()) {
    EXPECT_TRUE(h.alerts().empty()) << h.alerts().front().informativeText;
  } else {
    ASSERT_EQ(h.alerts().size(), 1u);
    if (c.title != "*") {
      EXPECT_EQ(h.alerts()[0].messageText, c.title);
    }
    for (const auto& word : c.words)
      EXPECT_THAT(h.alerts()[0].informativeText, HasSubstr(expanded(word)));
  }
  std::string now = fileExists(output) ? readFile(output) : "(none)";
  switch (c.after) {
    case After::earlier:
      EXPECT_EQ(now, kEarlier);
      break;
    case After::empty:
      EXPECT_EQ(now, "");
      break;
    case After::result:
      EXPECT_THAT(now, Not(::testing::AnyOf("", kEarlier, "(none)")));
      break;
  }
  // The copy goes once the run is judged.
  for (const auto& entry : std::filesystem::directory_iterator(h.temporaryDirectory()))
    EXPECT_THAT(entry.path().filename().string(), Not(HasSubstr("kept-output-")));
}

const std::string kNoMolecule = "obabel read no molecule";
const std::string kNameGivesSdf = "\"IN\" read as \"sdf\" (MDL MOL format), the format its name";

// clang-format off
INSTANTIATE_TEST_SUITE_P(Runs, KeptOutput, ::testing::Values(
    // Convert and the file search: an input obabel reads no molecule from is said, and only a
    // selection that keeps none of a readable input writes its empty result.
    KeptOutputCase{"ConvertOfTextThatHoldsNoMolecule", scene<Convertcontroller>("Convertcontroller"),
                   "convertFile:", "none.sdf", kJunk, {{"inputFilepath", "IN"},
                   {"outputFilepath", "OUT"}}, {}, {}, true, kNoMolecule,
                   {kNameGivesSdf, "0 molecules converted\n\nThe file that was at \"OUT\" " +
                   std::string(kBack)}},
    KeptOutputCase{"ConvertOfAnEmptyFileWithNoEarlierOutput",
                   scene<Convertcontroller>("Convertcontroller"), "convertFile:", "empty.sdf", "",
                   {{"inputFilepath", "IN"}, {"outputFilepath", "OUT"}}, {}, {}, false,
                   kNoMolecule, {"\"OUT\" holds no molecule."}, After::empty},
    KeptOutputCase{"ConvertOfARangePastTheLastMolecule",
                   scene<Convertcontroller>("Convertcontroller"), "convertFile:", "ten.sdf",
                   "data:small.sdf", {{"inputFilepath", "IN"}, {"outputFilepath", "OUT"},
                   {"convertFrom", "11"}, {"convertTo", "12"}}, {}, {{"convertAll", false}},
                   true, "", {}, After::empty},
    KeptOutputCase{"ConvertOfMatchingMolecules", scene<Convertcontroller>("Convertcontroller"),
                   "convertFile:", "ten.sdf", "data:small.sdf", {{"inputFilepath", "IN"},
                   {"outputFilepath", "OUT"}, {"smartsConvert", "C"}},
                   {{"smartsConvertoptions", "matching"}}, {}, true, "", {}, After::result},
    KeptOutputCase{"SearchOfTextThatHoldsNoMolecule",
                   scene<SearchViewController>("SearchViewController"), "checkObabel:", "none.sdf",
                   kJunk, {{"inputFilepath", "IN"}, {"outputFilepath", "OUT"},
                   {"smartsSearch", "C"}}, {{"smartsSearchoptions", "matching"}}, {}, true,
                   kNoMolecule, {kNameGivesSdf, "\"OUT\" " + std::string(kBack)}},
    KeptOutputCase{"SearchThatMatchesNone", scene<SearchViewController>("SearchViewController"),
                   "checkObabel:", "ten.sdf", "data:small.sdf", {{"inputFilepath", "IN"},
                   {"outputFilepath", "OUT"}, {"smartsSearch", "[Se]"}},
                   {{"smartsSearchoptions", "matching"}}, {}, true, "", {}, After::empty},
    // The tool panes: whatever stops the run, the file is as it was.
    KeptOutputCase{"RotateByAPatternObabelCannotRead", scene<obrotateviewcontroller>("obrotate"),
                   "runObroate:", "butane.sdf", "3D:CCCC", {{"inputFilepath", "IN"},
                   {"outputFilepath", "OUT"}, {"smartsDihedral", "C(C"},
                   {"atomsDihedral", "1 2 3 4"}, {"angleDihedral", "90"}}, {}, {}, true, "*"},
    KeptOutputCase{"FitByAPatternObabelCannotRead", scene<obfitviewcontroller>("obfit"),
                   "runObfit:", "butane.sdf", "3D:CCCC", {{"inputFilepath", "IN"},
                   {"outputFilepath", "OUT"}, {"templateFilePath", "TEMPLATE"},
                   {"smartsString", "C(C"}}, {}, {}, true, "*"},
    KeptOutputCase{"RotateOfTextThatHoldsNoMolecule", scene<obrotateviewcontroller>("obrotate"),
                   "runObroate:", "none.sdf", kJunk, {{"inputFilepath", "IN"},
                   {"outputFilepath", "OUT"}, {"smartsDihedral", "CCCC"},
                   {"atomsDihedral", "1 2 3 4"}, {"angleDihedral", "90"}}, {}, {}, true,
                   "obrotate wrote nothing", {"\"OUT\" " + std::string(kBack)}},
    KeptOutputCase{"TautomersOfTextThatHoldsNoMolecule",
                   scene<obtautomerviewcontroller>("obtautomer"), "runObtautomer:", "none.smi",
                   kJunk, {{"inputFilepath", "IN"}, {"outputFilepath", "OUT"}}, {}, {}, true,
                   "obtautomer wrote nothing", {"\"OUT\" " + std::string(kBack)}, After::earlier,
                   "out.smiles"},
    KeptOutputCase{"PointGroupsOfTextThatHoldsNoMolecule", scene<obsymviewcontroller>("obsym"),
                   "runObsym:", "none.sdf", kJunk, {{"inputFilepath", "IN"},
                   {"outputFilepath", "OUT"}}, {}, {}, true, "obsym wrote nothing",
                   {"\"OUT\" " + std::string(kBack)}},
    // Open Babel 3.1.1's obsym crashes on every molecule.
    KeptOutputCase{"PointGroupsThatCrash", scene<obsymviewcontroller>("obsym"), "runObsym:",
                   "butane.sdf", "3D:CCCC", {{"inputFilepath", "IN"}, {"outputFilepath", "OUT"}},
                   {}, {}, true, "obsym crashed", {"\"OUT\" " + std::string(kBack)}},
    // Two atoms are too few for a spectrophore: it fails for every molecule, with status 1.
    KeptOutputCase{"SpectrophoresThatFailAll",
                   scene<obspectrophoreviewcontroller>("obspectrophore"),
                   "generateObspectrophore:", "hydrogen.sdf", "3D:[H][H]",
                   {{"inputFilepath", "IN"}, {"spectrophoreFilepath", "OUT"}}, {}, {}, true,
                   "obspectrophore failed", {"not enough atoms", "\"OUT\" " + std::string(kBack)},
                   After::earlier, "out.txt"},
    KeptOutputCase{"TautomersOfAMolecule", scene<obtautomerviewcontroller>("obtautomer"),
                   "runObtautomer:", "pyridone.smi", "Oc1ccccn1\n", {{"inputFilepath", "IN"},
                   {"outputFilepath", "OUT"}}, {}, {}, true, "", {}, After::result, "out.smiles"}),
    [](const ::testing::TestParamInfo<KeptOutputCase>& info) { return info.param.name; });
// clang-format on

}  // namespace
}  // namespace molbench::testing
