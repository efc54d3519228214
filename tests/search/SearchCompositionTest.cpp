// The search pane's commands: the exact texts it composes, the lines it prints, the notice it
// gives, and what bash makes of each command (every path and typed value arrives whole).
#include <gmock/gmock.h>

#include <filesystem>

#include "SearchTestSupport.h"

namespace molbench::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

class SearchComposition : public SearchPaneTest {
 protected:
  // A file search of an SD file into SMILES, as Check runs it.
  void fileSearch(const std::string& input, const std::string& output, const std::string& mode,
                  const std::string& smarts) {
    setText("inputFilepath", input);
    setText("outputFilepath", output);
    h.choose(pane, "inputFiletype", "sdf -- MDL MOL format");
    h.choose(pane, "outputFiletype", "smi -- SMILES format");
    h.choose(pane, "smartsSearchoptions", mode);
    setText("smartsSearch", smarts);
    h.press(pane, "checkObabel:");
  }
};

TEST_F(SearchComposition, FileSearchWorkedExampleAndWhatBashMakesOfIt) {
  useObabel("/usr/local/bin/obabel");
  const std::string d = temp();
  fileSearch(molecules("set.sdf"), d + "/hits", "matching", "c1ccccc1O");
  const std::string expected = "/usr/local/bin/obabel -isdf '" + d + "/set.sdf'  -osmi  -O '" + d +
                               "/hits'.smi -s c1ccccc1O  ";
  EXPECT_EQ(pane.obshellCommand, expected);
  EXPECT_THAT(h.diagnostics(), ElementsAre("sdf -- MDL MOL format", expected));
  EXPECT_EQ(text("obabelText"), "") << "the file search does not show its command";

  useStandIn();
  // obabel reads a similarity only through an index: over a molecule file nothing runs.
  setText("similarityScore", "0.7 |x");
  fileSearch(molecules("it's a set.sdf"), d + "/my hits", "not_matching",
             "[#7;R](=O)C; echo $HOME");
  EXPECT_EQ(h.alerts().back().messageText, "A similarity needs the index");
  EXPECT_FALSE(fileExists(scratch("arguments")));
  setText("similarityScore", "");
  fileSearch(molecules("it's a set.sdf"), d + "/my hits", "not_matching",
             "[#7;R](=O)C; echo $HOME");
  EXPECT_THAT(standInArguments(), ElementsAre("-isdf", d + "/it's a set.sdf", "-osmi", "-O",
                                              d + "/my hits.smi", "-v", "[#7;R](=O)C; echo $HOME"));
  // An empty pattern would empty the output and filter by nothing: nothing runs.
  auto arguments = standInArguments();
  fileSearch(d + "/set.sdf", d + "/hits.smi", "matching", "");
  EXPECT_EQ(standInArguments(), arguments);
  EXPECT_EQ(h.alerts().back().messageText, "Type a SMARTS pattern");
}

// Each run refuses an output that is a folder, ends in "/" or is a file it reads, and a file
// it cannot read: an index is known by its header, and its molecule file must be there too.
TEST_F(SearchComposition, EveryRunRefusesWhatItCannotReadOrWouldDestroy) {
  useStandIn();
  std::string molecules = this->molecules("set.sdf"), index = scratch("set.fs");
  std::string output = scratch("hits.smi"), other = scratch("other.sdf");
  std::string smiles = scratch("smiles.fs"), orphan = scratch("elsewhere/orphan.fs");
  obabelCount({molecules, "-ofs", "-O", index});
  std::filesystem::create_directories(scratch("elsewhere"));
  std::filesystem::copy_file(index, orphan);  // no set.sdf beside it
  std::filesystem::copy_file(index, scratch("lib.idx"));
  std::filesystem::copy_file(index, scratch("lib"));
  runForOutput("gzip -k '" + molecules + "'");  // obabel indexes it, and its searches find nothing
  obabelCount({molecules + ".gz", "-ofs", "-O", scratch("zipped.fs")});
  writeFile(smiles, readFile(testDataPath("small.smi")));
  for (auto kept : {output, other}) writeFile(kept, "kept\n");
  const std::tuple<std::string, std::string, std::string, std::string> cases[] = {
      {"outputFilepath", temp() + "/", "checkObabel:", "ends in \"/\""},
      {"outputFilepath", temp(), "runFSsearch:", "is a folder"},
      {"outputFilepath", index, "runFSsearch:", "an input of this run"},
      {"outputFilepath", molecules, "runFSsearch:", "molecule file of the index"},
      {"fssearchPath", molecules, "createFS:", "an input of this run"},
      {"fssearchPath", other, "createFS:", "is not a fast-search index"},
      {"fssearchPath", smiles, "createFS:", "is not a fast-search index"},
      {"fssearchPath", "", "runFSsearch:", "index path is empty"},
      {"fssearchPath", scratch("gone.fs"), "runFSsearch:", "cannot be found"},
      {"fssearchPath", smiles, "runFSsearch:", "is not a fast-search index"},
      {"fssearchPath", orphan, "runFSsearch:", "indexed molecule file"},
      // obabel takes only a ".fs" name for an index and would empty the output all the same.
      {"fssearchPath", scratch("lib.idx"), "runFSsearch:", "Need to choose a .fs file"},
      {"fssearchPath", scratch("lib"), "runFSsearch:", "Need to choose a .fs file"},
      {"inputFilepath", molecules + ".gz", "createFS:", "compressed (gzip)"},
      {"fssearchPath", scratch("zipped.fs"), "runFSsearch:", "compressed (gzip)"},
      {"inputFilepath", "", "checkObabel:", "input path is empty"}};
  for (const auto& [field, path, action, reason] : cases) {
    for (auto [outlet, text] : {std::pair{"inputFilepath", molecules},
                                {"outputFilepath", output},
                                {"fssearchPath", index},
                                {field.c_str(), path}})
      setText(outlet, text);
    h.press(pane, action);
  }
  // The file search reads an index through "-ifs" too, but only under its ".fs" name.
  h.choose(pane, "inputFiletype", "fs -- Fastsearch format");
  setText("inputFilepath", scratch("lib.idx"));
  setText("outputFilepath", molecules);
  h.press(pane, "checkObabel:");
  EXPECT_FALSE(fileExists(scratch("arguments"))) << "nothing ran";
  for (auto kept : {output, other}) EXPECT_EQ(readFile(kept), "kept\n");
  EXPECT_EQ(readFile(molecules), readFile(testDataPath("small.sdf")));
  ASSERT_EQ(h.alerts().size(), std::size(cases) + 1);
  for (size_t i = 0; i < std::size(cases); ++i)
    EXPECT_THAT(h.alerts()[i].informativeText, HasSubstr(std::get<3>(cases[i]))) << i;
  for (const auto& alert : h.alerts()) {
    if (alert.informativeText == "Need to choose a .fs file") {
      EXPECT_EQ(alert.messageText, "check file type");
    }
  }
  // obabel would open lib.fs in its place.
  EXPECT_THAT(h.alerts().back().informativeText, HasSubstr("it would open \"" + scratch("lib.fs")));

  // An existing index may be rebuilt.
  setText("inputFilepath", molecules);
  h.press(pane, "createFS:");
  EXPECT_THAT(standInArguments(), ElementsAre(molecules, "-ofs", "-O", index));
}

TEST_F(SearchComposition, IndexBuildReusesTheLastSearchesFlagAndIndexPathsPassWhole) {
  useObabel("/usr/local/bin/obabel");
  const std::string d = temp();
  setText("inputFilepath", molecules("set.sdf"));
  setText("fssearchPath", d + "/set.fs");
  h.press(pane, "createFS:");
  EXPECT_EQ(pane.obshellCommand,
            "/usr/local/bin/obabel  '" + d + "/set.sdf' -ofs -O " + d + "/set.fs");

  fileSearch(d + "/set.sdf", d + "/hits", "matching", "c1ccccc1O");
  h.choose(pane, "inputFiletype", "mol2 -- Sybyl Mol2 format");  // no search has used it yet
  auto printed = h.diagnostics().size();
  h.press(pane, "createFS:");
  EXPECT_EQ(text("obabelText"),
            "/usr/local/bin/obabel -isdf '" + d + "/set.sdf' -ofs -O " + d + "/set.fs");

  obabelCount({d + "/set.sdf", "-ofs", "-O", d + "/set.fs"});
  setText("outputFilepath", d + "/hits.smi");
  setText("similarityScore", "0.7");
  h.press(pane, "runFSsearch:");
  EXPECT_EQ(text("obabelText"),
            "/usr/local/bin/obabel " + d + "/set.fs -O " + d + "/hits.smi  -at0.7  -s c1ccccc1O ");
  EXPECT_EQ(h.diagnostics().size(), printed) << "index builds and searches print nothing";

  // Index paths pass whole.
  useStandIn();
  auto told = h.alerts().size();  // one a run above: no obabel in /usr/local/bin
  setText("inputFilepath", molecules("o'neil set.sdf"));
  setText("fssearchPath", d + "/o'neil set.fs");
  h.press(pane, "createFS:");
  EXPECT_THAT(standInArguments(),
              ElementsAre("-isdf", d + "/o'neil set.sdf", "-ofs", "-O", d + "/o'neil set.fs"));
  ASSERT_EQ(h.alerts().size(), ++told) << "the stand-in writes no index, which is said";
  EXPECT_EQ(h.alerts().back().messageText, "obabel built no index");

  obabelCount({d + "/o'neil set.sdf", "-ofs", "-O", d + "/o'neil set.fs"});
  setText("outputFilepath", d + "/hits (new).smi");
  h.choose(pane, "smartsSearchoptions", "matching");
  setText("smartsSearch", "c1ccccc1[N+](=O)[O-]");
  setText("similarityScore", "0.5");
  h.press(pane, "runFSsearch:");
  EXPECT_THAT(standInArguments(), ElementsAre(d + "/o'neil set.fs", "-O", d + "/hits (new).smi",
                                              "-at0.5", "-s", "c1ccccc1[N+](=O)[O-]"));
  EXPECT_EQ(h.alerts().size(), told);
}

}  // namespace
}  // namespace molbench::testing
