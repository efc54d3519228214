// The index build with the real obabel: which formats it indexes, and a build that would leave
// no index refused first, or said after the run with obabel's own error lines.
#include <gmock/gmock.h>

#include <filesystem>
#include <sstream>
#include <tuple>
#include <vector>

#include "SearchTestSupport.h"
#include "common/FastSearchIndex.h"
#include "common/ReadableFormats.h"
#include "common/ShellQuote.h"
#include "search/IndexBuild.h"

namespace molbench::testing {
namespace {

using ::testing::AllOf;
using ::testing::HasSubstr;
using ::testing::Not;

using IndexBuild = SearchPaneTest;

// Six small molecules, the last of which a similarity search for it reads first.
void writeSixMolecules(const std::string& path) {
  obabelCount({"-:CCCCO butanol", "-:c1ccccc1C toluene", "-:CCCO propanol", "-:CC(=O)O acid",
               "-:CCCCCO pentanol", "-:CCO ethanol", "--gen2D", "-O", path});
}

// PubChem's XML, which obabel only reads: chains of carbons, each a compound.
std::string pubchemCompounds(const std::vector<int>& chains) {
  std::string xml = "<PC-Compounds xmlns=\"http://www.ncbi.nlm.nih.gov\">\n";
  for (int atoms : chains) {
    std::string ids, elements, from, to, orders;
    for (int atom = 1; atom <= atoms; ++atom) {
      ids += "<PC-Atoms_aid_E>" + std::to_string(atom) + "</PC-Atoms_aid_E>";
      elements += "<PC-Element value=\"c\">6</PC-Element>";
      if (atom == atoms) continue;
      from += "<PC-Bonds_aid1_E>" + std::to_string(atom) + "</PC-Bonds_aid1_E>";
      to += "<PC-Bonds_aid2_E>" + std::to_string(atom + 1) + "</PC-Bonds_aid2_E>";
      orders += "<PC-BondType value=\"single\">1</PC-BondType>";
    }
    xml += "<PC-Compound><PC-Compound_atoms><PC-Atoms><PC-Atoms_aid>" + ids +
           "</PC-Atoms_aid><PC-Atoms_element>" + elements +
           "</PC-Atoms_element></PC-Atoms></PC-Compound_atoms><PC-Compound_bonds><PC-Bonds>"
           "<PC-Bonds_aid1>" +
           from + "</PC-Bonds_aid1><PC-Bonds_aid2>" + to + "</PC-Bonds_aid2><PC-Bonds_order>" +
           orders + "</PC-Bonds_order></PC-Bonds></PC-Compound_bonds></PC-Compound>\n";
  }
  return xml + "</PC-Compounds>\n";
}

// Per file NAME in the scratch folder, with the index NAME.fs built from it: the hits of a
// substructure search (CC) through the index and of the file, then of a similarity search for
// the file's last molecule through the index and of the file (by obabel's own Tanimoto). The
// command reads FORMAT (a code) for a file's format; NAMES are the files.
std::string searchBothWays(const std::string& format) {
  return " n() { grep -ao '^[0-9]* [a-z]* converted' | cut -d' ' -f1 | grep . || echo 0; };"
         " [ -s $f.fs ] || exit 0; q=$($ob " +
         format +
         " $f -osmi 2>/dev/null | tail -1 | cut -f1);"
         " echo $($ob $f.fs -s CC -onul 2>&1 | n) $($ob " +
         format +
         " $f -s CC -onul 2>&1 | n) $($ob $f.fs -s \"$q\" -at 0.123 -onul 2>&1 | n)"
         " $($ob -:\"$q\" $f -ofpt 2>/dev/null | awk '/Tanimoto/ && $NF > 0.123' | wc -l) >$f.hits";
}

// Whether every search through the index of this scratch file finds what it finds in the file.
::testing::AssertionResult indexFindsWhatTheFileHolds(const std::string& folder,
                                                      const std::string& name) {
  auto entries = fastSearchIndexEntries(folder + "/" + name + ".fs").value_or(0);
  std::istringstream hits(readFile(folder + "/" + name + ".hits"));
  int indexSubstructure = -1, fileSubstructure = -1, indexSimilar = -1, fileSimilar = -1;
  hits >> indexSubstructure >> fileSubstructure >> indexSimilar >> fileSimilar;
  bool sound = entries > 0 && indexSubstructure == fileSubstructure && indexSimilar == fileSimilar;
  return (sound ? ::testing::AssertionSuccess() : ::testing::AssertionFailure())
         << name << ": " << entries << " indexed; through the index / of the file: substructure "
         << indexSubstructure << "/" << fileSubstructure << ", similar " << indexSimilar << "/"
         << fileSimilar;
}

// Every format obabel both writes and reads gets a file of six molecules obabel writes in it
// (reactions for the reaction formats; PubChem XML written here), and an index obabel builds
// from it with that format chosen. Molbench builds exactly where both searches through the
// index find what they find in the file.
TEST_F(IndexBuild, ABuildRunsExactlyWhereSearchesThroughTheIndexFindWhatTheFileHolds) {
  writeSixMolecules(scratch("6.sdf"));
  writeFile(scratch("r.rsmi"), "CC>>CO r1\nCCC>>CCO r2\nCCCC>>CCCO r3\n");
  writeFile(scratch("t.pc"), pubchemCompounds({4, 2, 3, 5, 2}));
  runForOutput("cd " + quotedPath(temp()) + " && ob=" + kObabel +
               " && codes=\"$($ob -L formats | grep -av -e Read-only -e Write-only | cut -d' ' "
               "-f1 | grep -vx fs) pc\" && echo $codes >codes && for c in $codes; do (f=t.$c;"
               " s=6.sdf; case $c in cmlr|rsmi|rxn) s=r.rsmi;; esac;"
               " [ $c = pc ] || $ob $s -o$c -O $f >/dev/null 2>&1;"
               " $ob -i$c $f -ofs -O $f.fs >/dev/null 2>&1;" +
               searchBothWays("-i$c") + ") & done; wait");
  std::istringstream codes(readFile(scratch("codes")));
  int judged = 0;
  for (std::string code; codes >> code; ++judged) {
    std::string file = scratch("t." + code);
    auto problem = unindexableInputProblem("-i" + code, file, file + ".fs");
    auto sound = indexFindsWhatTheFileHolds(temp(), "t." + code);
    EXPECT_EQ(!problem, static_cast<bool>(sound)) << sound.message();
  }
  EXPECT_GE(judged, 90) << "formats obabel writes and reads";
  EXPECT_TRUE(indexableFormat("SDF")) << "codes are read without regard to case";
}

// Where the last molecule runs to the end of the file, a similarity search through the index
// stops at it; one SD record alone, or a PDB file's closing line, ends it well enough.
TEST_F(IndexBuild, AFileWhoseLastMoleculeRunsToItsEndIsRefused) {
  writeSixMolecules(scratch("6.sdf"));
  std::string sd = readFile(scratch("6.sdf"));
  obabelCount({scratch("6.sdf"), "-O", scratch("6.smi")});
  obabelCount({scratch("6.sdf"), "-O", scratch("6.pdb")});
  obabelCount({scratch("6.sdf"), "-l", "1", "-O", scratch("one.mol")});
  std::string smiles = readFile(scratch("6.smi")), pdb = readFile(scratch("6.pdb"));
  const std::pair<std::string, std::string> files[] = {
      {"closed.sdf", sd},
      {"blank.sdf", sd + "\n\n"},
      {"open.sdf", sd.substr(0, sd.size() - 5)},  // no "$$$$" line
      {"unended.sdf", sd.substr(0, sd.size() - 1)},
      {"unended.smi", smiles.substr(0, smiles.size() - 1)},
      {"unended.pdb", pdb.substr(0, pdb.size() - 1)},
      {"alone.mol",
       readFile(scratch("one.mol")).substr(0, readFile(scratch("one.mol")).find("$$$$"))}};
  std::string names;
  for (const auto& [name, content] : files) {
    writeFile(scratch(name), content);
    names += " " + name;
  }
  runForOutput("cd " + quotedPath(temp()) + " && ob=" + kObabel + " && for f in" + names +
               "; do ($ob $f -ofs -O $f.fs >/dev/null 2>&1;" + searchBothWays("") +
               ") & done; wait");
  for (const auto& [name, content] : files) {
    auto problem = unindexableInputProblem("", scratch(name), scratch(name + ".fs"));
    auto sound = indexFindsWhatTheFileHolds(temp(), name);
    EXPECT_EQ(!problem, static_cast<bool>(sound)) << sound.message();
    if (problem) {
      EXPECT_THAT(*problem, HasSubstr("Convert the file to SD (\".sdf\")"));
    }
  }
}

// m.xyz can never be indexed: the build is refused before obabel empties the old index, also
// with XYZ chosen as the last file search left it. An SD file with no molecule, or SMILES under
// an SD name, leaves an index that no search can use: that is said and the old index is back;
// reactions are refused first. Only a sound build replaces the old index.
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

  // Inputs in a listed format that give an index no search can use: the good one comes back.
  writeFile(scratch("none.sdf"), "not a molecule\n");
  writeFile(scratch("smiles.sdf"), readFile(testDataPath("small.smi")));
  obabelCount({"-irsmi", "-:CC>>CO r1", "-O", scratch("r.cmlr")});
  const std::tuple<std::string, std::string, std::string> builds[] = {
      {"none.sdf", "obabel built no index", "is empty: no search"},
      {"smiles.sdf", "obabel built no index", "holds no structure"},
      {"r.cmlr", "Choose an input file", "misses molecules"}};
  for (const auto& [input, title, reason] : builds) {
    setText("inputFilepath", scratch(input));
    h.press(pane, "createFS:");
    EXPECT_EQ(h.alerts().back().messageText, title) << input;
    EXPECT_THAT(h.alerts().back().informativeText, HasSubstr(reason)) << input;
    EXPECT_EQ(readFile(old), kept) << input;
  }
  EXPECT_THAT(h.alerts()[2].informativeText,
              AllOf(HasSubstr("back in place"), HasSubstr("Its last error lines:\n")));
  auto said = h.alerts().size();
  setText("inputFilepath", testDataPath("small.smi"));  // a sound build replaces it
  h.press(pane, "createFS:");
  EXPECT_EQ(h.alerts().size(), said);
  EXPECT_NE(readFile(old), kept);
  std::filesystem::create_symlink(old, scratch("link.fs"));  // the index a link names comes back
  setText("fssearchPath", scratch("link.fs"));
  setText("inputFilepath", scratch("none.sdf"));
  const std::string rebuilt = readFile(old);
  h.press(pane, "createFS:");
  EXPECT_EQ(readFile(old), rebuilt);
  EXPECT_TRUE(std::filesystem::is_symlink(scratch("link.fs")));
  // With no index there before, nothing stays.
  setText("fssearchPath", scratch("new.fs"));
  h.press(pane, "createFS:");
  EXPECT_THAT(h.alerts().back().informativeText, HasSubstr("removed that file"));
  EXPECT_FALSE(fileExists(scratch("new.fs")));
  for (const auto& entry : std::filesystem::directory_iterator(temp()))
    EXPECT_THAT(entry.path().filename().string(), Not(HasSubstr("kept-index")));
}

}  // namespace
}  // namespace molbench::testing
