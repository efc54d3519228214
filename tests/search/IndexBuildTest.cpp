// The index build with the real obabel: which formats it indexes, and a build that would leave
// no index refused first, or said after the run with obabel's own error lines.
#include <fcntl.h>
#include <gmock/gmock.h>
#include <sys/file.h>
#include <unistd.h>

#include <filesystem>
#include <sstream>
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

// PubChem's XML, which obabel only reads: a chain of carbons per compound.
std::string pubchemCompounds(const std::vector<int>& chains) {
  // `count` elements `tag`, each holding `value`, or else first, first + 1, …
  auto list = [](const std::string& tag, int count, int first, const char* value = nullptr) {
    std::string items;
    for (int i = first; i < first + count; ++i)
      items += "<" + tag + ">" + (value ? value : std::to_string(i)) + "</" +
               tag.substr(0, tag.find(' ')) + ">";
    return items;
  };
  std::string xml = "<PC-Compounds xmlns=\"http://www.ncbi.nlm.nih.gov\">\n";
  for (int n : chains)
    xml += "<PC-Compound><PC-Compound_atoms><PC-Atoms><PC-Atoms_aid>" +
           list("PC-Atoms_aid_E", n, 1) + "</PC-Atoms_aid><PC-Atoms_element>" +
           list("PC-Element value=\"c\"", n, 1, "6") +
           "</PC-Atoms_element></PC-Atoms></PC-Compound_atoms><PC-Compound_bonds><PC-Bonds>"
           "<PC-Bonds_aid1>" +
           list("PC-Bonds_aid1_E", n - 1, 1) + "</PC-Bonds_aid1><PC-Bonds_aid2>" +
           list("PC-Bonds_aid2_E", n - 1, 2) + "</PC-Bonds_aid2><PC-Bonds_order>" +
           list("PC-BondType value=\"single\"", n - 1, 1, "1") +
           "</PC-Bonds_order></PC-Bonds></PC-Compound_bonds></PC-Compound>\n";
  return xml + "</PC-Compounds>\n";
}

// Per file $f read with the flags $i, beside each other: its index $f.fs, and in $f.hits the
// hits of a substructure search (CC) and of a similarity search for the file's last molecule
// (of the file by obabel's own Tanimoto), each through the index and of the file.
std::string searchBothWays(const std::string& loop, const std::string& prepare) {
  return loop + "; do (" + prepare +
         "; $ob $i $f -ofs -O $f.fs >/dev/null 2>&1; [ -s $f.fs ] || exit 0;"
         " n() { grep -ao '^[0-9]* [a-z]* converted' | cut -d' ' -f1 | grep . || echo 0; };"
         " q=$($ob $i $f -osmi 2>/dev/null | tail -1 | cut -f1);"
         " echo $($ob $f.fs -s CC -onul 2>&1 | n) $($ob $i $f -s CC -onul 2>&1 | n)"
         " $($ob $f.fs -s \"$q\" -at 0.123 -onul 2>&1 | n) $($ob -:\"$q\" $f -ofpt 2>/dev/null"
         " | awk '/Tanimoto/ && $NF > 0.123' | wc -l) >$f.hits) & done; ";
}

// Every format obabel both writes and reads gets six molecules it writes (reactions for the
// reaction formats; PubChem XML written here), indexed with that format chosen. Where the last
// molecule runs to the end of the file, a similarity search through the index stops at it; one
// SD record or PDB model alone, or a PDB file's closing line, ends it well enough.
TEST_F(IndexBuild, ABuildRunsExactlyWhereSearchesThroughTheIndexFindWhatTheFileHolds) {
  obabelCount({"-:CCCCO butanol", "-:c1ccccc1C toluene", "-:CCCO propanol", "-:CC(=O)O acid",
               "-:CCCCCO pentanol", "-:CCO ethanol", "--gen2D", "-O", scratch("6.sdf")});
  writeFile(scratch("r.rsmi"), "CC>>CO r1\nCCC>>CCO r2\nCCCC>>CCCO r3\n");
  writeFile(scratch("t.pc"), pubchemCompounds({4, 2, 3, 5, 2}));
  obabelCount({scratch("6.sdf"), "-O", scratch("6.smi")});
  obabelCount({scratch("6.sdf"), "-O", scratch("6.pdb")});
  obabelCount({scratch("6.sdf"), "-l", "1", "-O", scratch("one.mol")});
  std::string sd = readFile(scratch("6.sdf")), mol = readFile(scratch("one.mol")), names;
  std::string pdb = readFile(scratch("6.pdb")), lastModel = pdb.substr(pdb.rfind("MODEL"));
  auto unended = [&](const std::string& name) {
    std::string text = readFile(scratch(name));
    return text.substr(0, text.size() - 1);
  };
  const std::pair<std::string, std::string> files[] = {
      {"closed.sdf", sd},
      {"blank.sdf", sd + "\n\n"},
      {"open.sdf", sd.substr(0, sd.size() - 5)},  // no "$$$$" line
      {"unended.smi", unended("6.smi")},
      {"unended.pdb", unended("6.pdb")},
      {"noend.pdb", pdb.substr(0, pdb.size() - 4)},  // no "END" line after the last model
      {"noendmdl.pdb", pdb.substr(0, pdb.rfind("ENDMDL"))},
      {"endonly.pdb", pdb.substr(0, pdb.rfind("ENDMDL")) + "END\n"},
      {"onemodel.pdb", lastModel.substr(0, lastModel.rfind("END\n"))},
      {"alone.mol", mol.substr(0, mol.find("$$$$"))}};
  for (const auto& [name, content] : files) {
    writeFile(scratch(name), content);
    names += " " + name;
  }
  runForOutput("cd " + quotedPath(temp()) + " && ob=" + kObabel +
               " && codes=\"$($ob -L formats | grep -av -e Read-only -e Write-only | cut -d' ' "
               "-f1 | grep -vx fs) pc\" && echo $codes >codes && " +
               searchBothWays("for c in $codes",
                              "f=t.$c; i=-i$c; s=6.sdf; case $c in cmlr|rsmi|rxn) s=r.rsmi;; esac;"
                              " [ $c = pc ] || $ob $s -o$c -O $f >/dev/null 2>&1") +
               searchBothWays("for f in" + names, "i=") + "wait");
  std::vector<std::pair<std::string, std::string>> judged;
  std::istringstream codes(readFile(scratch("codes")));
  for (std::string code; codes >> code;) judged.emplace_back("-i" + code, "t." + code);
  EXPECT_GE(judged.size(), 90u) << "formats obabel writes and reads";
  for (const auto& [name, content] : files) judged.emplace_back("", name);
  for (const auto& [flag, name] : judged) {
    std::istringstream in(readFile(scratch(name + ".hits")));
    int hits[4] = {-1, -1, -1, -1};
    for (int& count : hits) in >> count;
    auto entries = fastSearchIndexEntries(scratch(name + ".fs")).value_or(0);
    bool sound = entries > 0 && hits[0] == hits[1] && hits[2] == hits[3];
    auto problem = unindexableInputProblem(flag, scratch(name), scratch(name + ".fs"));
    EXPECT_EQ(problem.has_value(), !sound)
        << name << ": " << entries << " indexed; through the index/of the file: substructure "
        << hits[0] << "/" << hits[1] << ", similar " << hits[2] << "/" << hits[3];
    if (problem) {
      EXPECT_THAT(*problem, HasSubstr("Convert the file to SD (\".sdf\")"));
    }
  }
  // Only the lines that are missing are named.
  for (const auto& [name, missing] : {std::pair{"endonly.pdb", "no \"ENDMDL\" line"},
                                      {"noendmdl.pdb", "no \"ENDMDL\" and \"END\" lines"}})
    EXPECT_THAT(unindexableInputProblem("", scratch(name), scratch(name) + ".fs").value_or(""),
                HasSubstr(missing));
  EXPECT_TRUE(indexableFormat("SDF")) << "codes are read without regard to case";
}

// m.xyz can never be indexed: the build is refused before obabel empties the old index, also
// with XYZ chosen as the last file search left it. An SD file with no molecule, or SMILES under
// an SD name, leaves an index no search can use: that is said and the old index is back, also
// through a link. Only a sound build replaces it; with no index there before, nothing stays.
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
  // The file search reads no molecule from SD text read as XYZ, and says so.
  ASSERT_EQ(h.alerts().size(), 3u);
  EXPECT_EQ(h.alerts()[0].messageText, "Choose an input file");
  EXPECT_EQ(h.alerts()[1].messageText, "obabel read no molecule");
  EXPECT_THAT(h.alerts()[1].informativeText,
              AllOf(HasSubstr(molecules("lib.sdf")), HasSubstr("read as \"xyz\"")));
  EXPECT_THAT(h.alerts()[2].informativeText,
              AllOf(HasSubstr("format \"xyz\""), HasSubstr("SkipObjects"), HasSubstr(old)));
  EXPECT_EQ(readFile(old), kept);
  h.choose(pane, "inputFiletype", kAutodetectRow);  // the name's format again
  h.press(pane, "checkObabel:");

  writeFile(scratch("none.sdf"), "not a molecule\n");
  writeFile(scratch("smiles.sdf"), readFile(testDataPath("small.smi")));
  std::filesystem::create_symlink(old, scratch("link.fs"));
  for (const std::string& index : {old, scratch("link.fs")})
    for (const std::string input : {"none.sdf", "smiles.sdf"}) {
      setText("fssearchPath", index);
      setText("inputFilepath", scratch(input));
      h.press(pane, "createFS:");
      EXPECT_EQ(h.alerts().back().messageText, "obabel built no index") << input;
      EXPECT_THAT(
          h.alerts().back().informativeText,
          AllOf(HasSubstr(input == "none.sdf" ? "is empty: no search" : "holds no structure"),
                HasSubstr("back in place")))
          << input;
      EXPECT_EQ(readFile(old), kept) << index << " " << input;
    }
  EXPECT_TRUE(std::filesystem::is_symlink(scratch("link.fs")));
  EXPECT_THAT(h.alerts()[3].informativeText, HasSubstr("Its last error lines:\n"));
  auto said = h.alerts().size();
  setText("inputFilepath", testDataPath("small.smi"));
  h.press(pane, "createFS:");
  EXPECT_EQ(h.alerts().size(), said);
  EXPECT_NE(readFile(old), kept);
  setText("fssearchPath", scratch("new.fs"));
  setText("inputFilepath", scratch("none.sdf"));
  h.press(pane, "createFS:");
  EXPECT_THAT(h.alerts().back().informativeText, HasSubstr("removed that file"));
  EXPECT_FALSE(fileExists(scratch("new.fs")));
  for (const auto& entry : std::filesystem::directory_iterator(temp()))
    EXPECT_THAT(entry.path().filename().string(), Not(HasSubstr("kept-index")));
}

// Another window or Molbench that builds the same index holds it (a lock on the file itself): a
// build now runs nothing and leaves the index as the other build has it, and runs once it is let
// go.
TEST_F(IndexBuild, ABuildIntoAnIndexAnotherBuildHoldsRunsNothing) {
  std::string index = scratch("held.fs");
  obabelCount({molecules("lib.sdf"), "-ofs", "-O", index});
  const std::string before = readFile(index);
  std::filesystem::create_symlink(index, scratch("other name.fs"));
  setText("inputFilepath", testDataPath("small.smi"));
  int other = ::open(index.c_str(), O_RDONLY | O_CLOEXEC);
  ASSERT_EQ(::flock(other, LOCK_EX), 0);
  size_t said = 0;
  for (const std::string& path : {index, scratch("other name.fs")}) {
    setText("fssearchPath", path);
    h.press(pane, "createFS:");
    ASSERT_EQ(h.alerts().size(), ++said) << path;
    EXPECT_EQ(h.alerts().back().messageText, "Another build is writing the index") << path;
    EXPECT_EQ(readFile(index), before) << path;
  }
  ::close(other);
  h.press(pane, "createFS:");
  EXPECT_EQ(h.alerts().size(), 2u);
  EXPECT_NE(readFile(index), before);
  for (const auto& entry : std::filesystem::directory_iterator(temp()))
    EXPECT_THAT(entry.path().filename().string(), Not(HasSubstr("kept-index")));
}

}  // namespace
}  // namespace molbench::testing
