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

// Each format obabel reads gets a file of three molecules (obabel writes it, or it is written
// here for two read-only ones) and an index built from it with that format chosen, side by side:
// obabel indexes it or says that it cannot skip molecules; a file it cannot read says neither.
TEST_F(IndexBuild, ObabelIndexesExactlyTheFormatsListedAsIndexable) {
  obabelCount({"-:CCO ethanol", "-:c1ccccc1 benzene", "-:CC(=O)O acid", "-O", scratch("3.sdf")});
  obabelCount({scratch("3.sdf"), "-ocml", "-O", scratch("t.xml")});
  writeFile(scratch("t.pc"),
            "<PC-Compounds xmlns=\"http://www.ncbi.nlm.nih.gov\"><PC-Compound><PC-Compound_atoms>"
            "<PC-Atoms><PC-Atoms_aid><PC-Atoms_aid_E>1</PC-Atoms_aid_E></PC-Atoms_aid>"
            "<PC-Atoms_element><PC-Element value=\"c\">6</PC-Element></PC-Atoms_element>"
            "</PC-Atoms></PC-Compound_atoms></PC-Compound></PC-Compounds>\n");
  std::string codes;  // an index as the input ("fs") is a search, not a build
  for (auto code : readableFormatCodes()) codes += code == "fs" ? "" : " " + std::string(code);
  runForOutput(
      "cd " + quotedPath(temp()) + " && ob=" + kObabel +
      " && ro=$($ob -L formats | grep -a 'Read-only' | cut -d' ' -f1); for c in" + codes +
      "; do (echo \"$ro\" | grep -qx $c || $ob 3.sdf -o$c -O t.$c >/dev/null 2>&1; $ob -i$c "
      "t.$c -ofs -O $c.fs) >$c.said 2>&1 & done; wait");
  int judged = 0;
  for (std::string_view view : readableFormatCodes()) {
    std::string code(view), said = readFile(scratch(code + ".said"));
    bool built = fastSearchIndexEntries(scratch(code + ".fs")).value_or(0) > 0;
    if (!built && said.find("does not have a SkipObjects function") == std::string::npos) continue;
    ++judged;
    EXPECT_EQ(indexableFormat(code), built) << code << ": " << said;
  }
  EXPECT_GE(judged, 70) << "formats obabel either indexed or refused";
  EXPECT_TRUE(indexableFormat("SDF")) << "codes are read without regard to case";
}

// m.xyz can never be indexed: the build is refused before obabel empties the old index, also
// with XYZ chosen as the last file search left it. An input with no molecule, or of reactions,
// leaves an index file that no search can use, which is said.
TEST_F(IndexBuild, AnInputThatGivesNoIndexIsRefusedOrSaidAndTheOldIndexKept) {
  std::string xyz = scratch("m.xyz"), old = scratch("m.fs");
  obabelCount({"-:CCO", "-:CCC", "-:CCCC", "-O", xyz});
  obabelCount({molecules("lib.sdf"), "-ofs", "-O", old});
  const std::string kept = readFile(old);
  setText("fssearchPath", old);
  setText("outputFilepath", scratch("hits.xyz"));
  for (std::string row : {kAutodetectRow, "xyz -- XYZ cartesian coordinates format"}) {
    setText("inputFilepath", row == kAutodetectRow ? xyz : molecules("lib.sdf"));
    h.choose(pane, "inputFiletype", row);
    h.press(pane, "checkObabel:");
    h.press(pane, "createFS:");
  }
  ASSERT_EQ(h.alerts().size(), 2u);
  EXPECT_EQ(h.alerts()[0].messageText, "Choose an input file");
  EXPECT_THAT(h.alerts()[1].informativeText,
              AllOf(HasSubstr("format \"xyz\""), HasSubstr("SkipObjects"), HasSubstr(old)));
  EXPECT_EQ(readFile(old), kept);
  h.choose(pane, "inputFiletype", kAutodetectRow);  // the name's format again
  h.press(pane, "checkObabel:");
  writeFile(scratch("none.sdf"), "not a molecule\n");
  obabelCount({"-irsmi", "-:CC>>CO r1", "-O", scratch("r.cmlr")});
  for (std::string input : {"none.sdf", "r.cmlr"}) {
    setText("inputFilepath", scratch(input));
    setText("fssearchPath", scratch(input + ".fs"));
    h.press(pane, "createFS:");
    EXPECT_EQ(h.alerts().back().messageText, "obabel built no index") << input;
    EXPECT_THAT(h.alerts().back().informativeText,
                AllOf(HasSubstr(input == "r.cmlr" ? "holds no molecule" : "is empty: no search"),
                      HasSubstr("Its last error lines:\n")));
  }
  EXPECT_EQ(h.alerts().size(), 4u);
}

}  // namespace
}  // namespace molbench::testing
