// The index build with the real obabel: which formats it indexes, and a build that would leave
// no index refused first, or said after the run with obabel's own error lines.
#include <gmock/gmock.h>

#include <filesystem>

#include "SearchTestSupport.h"
#include "common/FastSearchIndex.h"
#include "common/ReadableFormats.h"
#include "common/ShellQuote.h"
#include "search/IndexBuild.h"

namespace molbench::testing {
namespace {

using ::testing::AllOf;
using ::testing::HasSubstr;

using IndexBuild = SearchPaneTest;

// Each format obabel reads and writes gets a file of three molecules that obabel wrote, and an
// index built from it with that format chosen: obabel either indexes it or says that it cannot
// skip molecules. Two read-only formats get a file written here. A format whose file obabel
// cannot read back says nothing either way and is left out. The formats run side by side.
TEST_F(IndexBuild, ObabelIndexesExactlyTheFormatsListedAsIndexable) {
  obabelCount({"-:CCO ethanol", "-:c1ccccc1 benzene", "-:CC(=O)O acid", "-O", scratch("3.sdf")});
  writeFile(scratch("t.pc"),
            "<PC-Compounds xmlns=\"http://www.ncbi.nlm.nih.gov\"><PC-Compound><PC-Compound_atoms>"
            "<PC-Atoms><PC-Atoms_aid><PC-Atoms_aid_E>1</PC-Atoms_aid_E></PC-Atoms_aid>"
            "<PC-Atoms_element><PC-Element value=\"c\">6</PC-Element></PC-Atoms_element>"
            "</PC-Atoms></PC-Compound_atoms></PC-Compound></PC-Compounds>\n");
  obabelCount({scratch("3.sdf"), "-ocml", "-O", scratch("t.xml")});
  const std::string formats = "\n" + runForOutput("/usr/bin/obabel -L formats");
  std::vector<std::string> codes;
  std::string script = "cd " + quotedPath(temp()) + " || exit; ";
  for (std::string_view view : readableFormatCodes()) {
    std::string code(view);
    if (code == "fs") continue;  // an index as the input is a search, not a build
    size_t row = formats.find("\n" + code + " -- ");
    bool readOnly = formats.substr(row, formats.find('\n', row + 1) - row).ends_with("[Read-only]");
    script += "(";
    if (!readOnly) script += kObabel + std::string(" 3.sdf -o") + code + " -O t." + code + "; ";
    script += std::string(kObabel) + " -i" + code + " t." + code + " -ofs -O " + code + ".fs >" +
              code + ".said 2>&1) 2>/dev/null & ";
    codes.push_back(code);
  }
  runForOutput(script + "wait");
  int judged = 0;
  for (const auto& code : codes) {
    std::string said = fileExists(scratch(code + ".said")) ? readFile(scratch(code + ".said")) : "";
    bool built = fastSearchIndexEntries(scratch(code + ".fs")).value_or(0) > 0;
    if (!built && said.find("does not have a SkipObjects function") == std::string::npos) continue;
    ++judged;
    EXPECT_EQ(indexableFormat(code), built) << code << ": " << said;
  }
  EXPECT_GE(judged, 70) << "formats obabel either indexed or refused";
  EXPECT_TRUE(indexableFormat("SDF")) << "codes are read without regard to case";
}

// m.xyz can never be indexed: the build is refused before obabel empties the old index. An
// input with no molecule, or one of reactions, leaves an index file that no search can use.
TEST_F(IndexBuild, AnInputThatGivesNoIndexIsRefusedOrSaidAndTheOldIndexKept) {
  std::string xyz = scratch("m.xyz"), old = scratch("m.fs");
  obabelCount({"-:CCO", "-:CCC", "-:CCCC", "-O", xyz});
  obabelCount({molecules("lib.sdf"), "-ofs", "-O", old});
  const std::string kept = readFile(old);
  setText("fssearchPath", old);
  setText("inputFilepath", xyz);
  h.press(pane, "createFS:");
  // An SD file read as XYZ, as the last file search chose.
  setText("inputFilepath", molecules("lib.sdf"));
  h.choose(pane, "inputFiletype", "xyz -- XYZ cartesian coordinates format");
  setText("outputFilepath", scratch("hits.xyz"));
  h.press(pane, "checkObabel:");
  h.press(pane, "createFS:");
  ASSERT_EQ(h.alerts().size(), 2u);
  for (const auto& alert : h.alerts()) {
    EXPECT_EQ(alert.messageText, "Choose an input file");
    EXPECT_THAT(alert.informativeText,
                AllOf(HasSubstr("format \"xyz\""), HasSubstr("SkipObjects"),
                      HasSubstr("\"" + old + "\""), HasSubstr("Convert the file")));
  }
  EXPECT_EQ(readFile(old), kept);

  // The build takes the format from the name again once a file search leaves it to the name.
  h.choose(pane, "inputFiletype", kAutodetectRow);
  h.press(pane, "checkObabel:");
  writeFile(scratch("none.sdf"), "not a molecule\n");
  writeFile(scratch("r.rsmi"), "CC>>CO r1\n");
  obabelCount({scratch("r.rsmi"), "-O", scratch("r.cmlr")});
  const std::pair<std::string, std::string> builds[] = {
      {"none.sdf", "is empty: no search can read it"}, {"r.cmlr", "holds no molecule"}};
  for (const auto& [input, problem] : builds) {
    setText("inputFilepath", scratch(input));
    setText("fssearchPath", scratch(input + ".fs"));
    h.press(pane, "createFS:");
    EXPECT_EQ(h.alerts().back().messageText, "obabel built no index") << input;
    EXPECT_THAT(h.alerts().back().informativeText,
                AllOf(HasSubstr(problem), HasSubstr("Its last error lines:\n")))
        << input;
  }
  EXPECT_EQ(h.alerts().size(), 4u);
}

}  // namespace
}  // namespace molbench::testing
