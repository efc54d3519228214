// The search pane running the real obabel on a real SD file (47 CDK2 ligands) in a folder
// whose name holds a quote, blanks and parentheses. Hit counts are checked against obabel run
// directly.
#include <gmock/gmock.h>

#include <filesystem>

#include "SearchTestSupport.h"
#include "common/FormatTables.h"
#include "common/ShellQuote.h"

namespace molbench::testing {
namespace {

class SearchWithObabel : public SearchPaneTest {
 protected:
  SearchWithObabel() : folder(temp() + "/it's a set (cdk2)"), input(folder + "/cdk2 ligands.sdf") {
    useObabel(kObabel);
    std::filesystem::create_directory(folder);
    std::filesystem::copy_file(testDataPath("cdk2.sdf"), input);
    h.answerOpenPanel(input);
    h.press(pane, "inputFileSelect:");
    h.choose(pane, "inputFiletype", "sdf -- MDL MOL format");
    h.choose(pane, "outputFiletype", "smi -- SMILES format");
  }

  // Molecules the pane's file search writes to an output path without extension, once they
  // are shown to be as many as obabel run directly writes.
  int fileSearch(const std::string& mode, const std::string& smarts) {
    setText("outputFilepath", folder + "/hits " + mode);
    h.choose(pane, "smartsSearchoptions", mode);
    setText("smartsSearch", smarts);
    h.press(pane, "checkObabel:");
    int found = obabelCount({folder + "/hits " + mode + ".smi", "-onul"});
    EXPECT_EQ(found, obabelCount({input, "-osmi", "-O", folder + "/direct.smi",
                                  mode == "matching" ? "-s" : "-v", smarts}))
        << mode << " " << smarts;
    return found;
  }

  // Molecules the pane's index search writes; -1 when it writes no file.
  int indexSearch(const std::string& smarts, const std::string& similarity) {
    std::string output = folder + "/index hits.smi";
    std::filesystem::remove(output);
    setText("outputFilepath", output);
    h.choose(pane, "smartsSearchoptions", "matching");
    setText("smartsSearch", smarts);
    setText("similarityScore", similarity);
    h.press(pane, "runFSsearch:");
    return std::filesystem::exists(output) ? obabelCount({output, "-onul"}) : -1;
  }

  std::string folder, input;
};

TEST_F(SearchWithObabel, FileSearchKeepsMatchingOrOtherMoleculesAndTheIndexFindsTheSame) {
  for (const std::string smarts : {"c1ccccc1O", "[#7;R][CX3](=O)", "C(=O)N"}) {
    int matching = fileSearch("matching", smarts);
    EXPECT_GT(matching, 0) << smarts;
    EXPECT_EQ(matching + fileSearch("not_matching", smarts), 47) << smarts;
  }
  h.press(pane, "createFS:");  // with the input format flag the last search left
  ASSERT_TRUE(std::filesystem::exists(folder + "/cdk2 ligands.fs"));
  EXPECT_EQ(indexSearch("C(=O)N", ""), fileSearch("matching", "C(=O)N"));

  // The first ligand as the query: a SMILES holding brackets and parentheses.
  const std::string query = "CC(C)C(=O)COc1c2c([nH]cn2)nc(n1)N";
  int loose = indexSearch(query, "0.5");
  int strict = indexSearch(query, "0.8");
  EXPECT_GT(loose, strict);
  EXPECT_GE(strict, 1) << "the query molecule itself is in the index";
  EXPECT_TRUE(h.alerts().empty());
}

// obabel empties the output, then finds no pattern it can use (or, searching an index, no
// query) and exits 0: each search refuses first, and the kept output keeps its bytes. A pattern
// that matches nothing still runs.
TEST_F(SearchWithObabel, ASearchWithNoUsablePatternOrNoQueryRunsNothing) {
  const std::string kept = folder + "/kept.smi";
  obabelCount({input, "-ofs", "-O", folder + "/cdk2 ligands.fs"});
  writeFile(kept, "CCO\tkept\n");
  setText("outputFilepath", kept);
  const std::tuple<std::string, std::string, std::string, std::string> cases[] = {
      {"checkObabel:", "not_matching", "C(", "Mend the SMARTS pattern"},
      {"runFSsearch:", "matching", "CC)", "Mend the SMARTS pattern"},
      {"runFSsearch:", "matching", "", "Type a SMARTS pattern"},
      {"runFSsearch:", "Choose", "CCCC", "Choose a SMARTS mode"},
      {"runFSsearch:", "not_matching", "CCCC", "Choose a SMARTS mode"}};
  for (const auto& [action, mode, pattern, title] : cases) {
    h.choose(pane, "smartsSearchoptions", mode);
    setText("smartsSearch", pattern);
    h.press(pane, action);
    EXPECT_EQ(h.alerts().back().messageText, title) << action << " " << mode << " " << pattern;
  }
  EXPECT_EQ(readFile(kept), "CCO\tkept\n");
  EXPECT_EQ(indexSearch("[Xe]", ""), 0);
  EXPECT_EQ(h.alerts().size(), 5u);
}

// obabel's index search reads its query as a molecule, under -at only as a SMILES; a query it
// cannot read empties the output and obabel exits 0. Such a query, or a similarity it misreads,
// is refused with obabel's words; a salt is a molecule and runs.
TEST_F(SearchWithObabel, AnIndexSearchTakesTheQueriesTheIndexReadsAndNoOther) {
  const std::string nci = folder + "/nci 400.smi", index = folder + "/nci 400.fs";
  runForOutput("head -n 400 /usr/share/RDKit/Data/NCI/first_5K.smi > " + quotedPath(nci));
  ASSERT_EQ(obabelCount({nci, "-ofs", "-O", index}), 400);
  const std::string acid = "[CX3](=O)[OX2H1]", kept = folder + "/kept.smi";
  const std::string salt = "CCCCN(CCCC)CCCNC1=C2CCCCC2=NC3=C1C=CC=C3.OP(O)(O)=O";
  const std::tuple<std::string, std::string, std::string, std::string> refused[] = {
      {"runFSsearch:", acid, "", "Cannot read the SMILES string"},
      {"runFSsearch:", acid, "5", "takes a molecule"},
      {"runFSsearch:", salt, "", "cannot be interpreted as either valid SMARTS"},
      {"runFSsearch:", "c1ccccc1N", "0,7", "similarity \"0,7\""},
      {"checkObabel:", acid, "0.7", "Cannot read the SMILES string"},  // the index as its input
  };
  setText("fssearchPath", index);
  setText("inputFilepath", index);
  setText("outputFilepath", kept);
  writeFile(kept, "CCO\tkept\n");
  h.choose(pane, "inputFiletype", kAutodetectRow);
  h.choose(pane, "smartsSearchoptions", "matching");
  for (const auto& [action, query, similarity, words] : refused) {
    setText("smartsSearch", query);
    setText("similarityScore", similarity);
    h.press(pane, action);
    ASSERT_FALSE(h.alerts().empty()) << query << " -at" << similarity;
    EXPECT_THAT(h.alerts().back().informativeText, ::testing::HasSubstr(words)) << query;
    EXPECT_EQ(readFile(kept), "CCO\tkept\n") << query << " -at" << similarity;
  }
  int hits = indexSearch(salt, "5");
  EXPECT_EQ(hits, obabelCount({index, "-onul", "-s", salt, "-at5"}));
  EXPECT_GT(hits, 0);
  EXPECT_EQ(h.alerts().size(), std::size(refused));
}

// Linux allows a tab or a line feed in a file name; obabel stores it in the index as it is.
TEST_F(SearchWithObabel, AnIndexOfAFileWhoseNameHoldsATabOrALineFeedIsSearched) {
  int expected = fileSearch("matching", "C(=O)N");
  for (const std::string name : {"tab\there", "line\nfeed"}) {
    std::filesystem::copy_file(input, folder + "/" + name + ".sdf");
    setText("inputFilepath", folder + "/" + name + ".sdf");
    setText("fssearchPath", folder + "/" + name + ".fs");
    h.press(pane, "createFS:");
    EXPECT_EQ(indexSearch("C(=O)N", ""), expected) << name;
  }
  EXPECT_TRUE(h.alerts().empty());
}

// obabel takes "x.FS" for an index and then opens "x.fs": another index, or none. Either way its
// -O has emptied the output first. Only the lower-case name is searched or built.
TEST_F(SearchWithObabel, AnIndexNamedWithFsInAnotherCaseIsNeitherSearchedNorBuilt) {
  const std::string other = folder + "/other.sdf", lower = folder + "/x.fs";
  writeFile(other, readFile(testDataPath("small.sdf")));
  obabelCount({input, "-ofs", "-O", lower});
  obabelCount({other, "-ofs", "-O", folder + "/x.FS"});
  obabelCount({other, "-ofs", "-O", folder + "/set.Fs"});
  const std::string original = readFile(input);
  writeFile(folder + "/kept.smi", "CCO\tk\n");
  for (const std::string index : {"/x.FS", "/set.Fs"}) {
    for (const auto& output : {input, folder + "/kept.smi"}) {
      setText("fssearchPath", folder + index);
      setText("outputFilepath", output);
      setText("smartsSearch", "C(=O)N");
      h.press(pane, "runFSsearch:");
    }
  }
  // Neither is built: no search could read it.
  setText("inputFilepath", other);
  setText("fssearchPath", folder + "/new.FS");
  h.press(pane, "createFS:");
  EXPECT_FALSE(std::filesystem::exists(folder + "/new.FS"));
  ASSERT_EQ(h.alerts().size(), 5u);
  for (const auto& alert : h.alerts()) {
    EXPECT_EQ(alert.messageText, "check file type");
    EXPECT_EQ(alert.informativeText, "Need to choose a .fs file");
  }
  // A file search told "-ifs" reads the index the same way, and is refused too.
  h.choose(pane, "inputFiletype", "fs -- Fastsearch format");
  setText("inputFilepath", folder + "/x.FS");
  setText("outputFilepath", input);
  h.press(pane, "checkObabel:");
  ASSERT_EQ(h.alerts().size(), 6u);
  EXPECT_THAT(h.alerts().back().informativeText, ::testing::HasSubstr("\"" + lower + "\" instead"));
  EXPECT_EQ(readFile(input), original);
  EXPECT_EQ(readFile(folder + "/kept.smi"), "CCO\tk\n");

  // The lower-case index is searched, with obabel's own hits.
  h.choose(pane, "inputFiletype", "sdf -- MDL MOL format");
  setText("fssearchPath", lower);
  int hits = indexSearch("C(=O)N", "");
  EXPECT_EQ(hits, obabelCount({lower, "-osmi", "-s", "C(=O)N"}));
  EXPECT_GT(hits, 0);
}

}  // namespace
}  // namespace molbench::testing
