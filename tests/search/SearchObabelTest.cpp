// The search pane running the real obabel on a real SD file (47 CDK2 ligands) in a folder
// whose name holds a quote, blanks and parentheses. Hit counts are checked against obabel run
// directly.
#include <gmock/gmock.h>

#include <filesystem>

#include "SearchTestSupport.h"

namespace molbench::testing {
namespace {

class SearchWithObabel : public SearchPaneTest {
 protected:
  SearchWithObabel() : folder(temp() + "/it's a set (cdk2)"), input(folder + "/cdk2 ligands.sdf") {
    useObabel(kObabel);
    std::filesystem::create_directory(folder);
    std::filesystem::copy_file(MOLBENCH_TEST_DATA_DIR "/cdk2.sdf", input);
    h.answerOpenPanel(input);
    h.press(pane, "inputFileSelect:");
    h.choose(pane, "inputFiletype", "sdf -- MDL MOL format");
    h.choose(pane, "outputFiletype", "smi -- SMILES format");
  }

  // Molecules the pane's file search writes to an output path without extension.
  int paneFileSearch(const std::string& mode, const std::string& smarts) {
    setText("outputFilepath", folder + "/hits " + mode);
    h.choose(pane, "smartsSearchoptions", mode);
    setText("smartsSearch", smarts);
    h.press(pane, "checkObabel:");
    return obabelCount({folder + "/hits " + mode + ".smi", "-onul"});
  }
  int directFileSearch(const std::string& flag, const std::string& smarts) {
    return obabelCount({input, "-osmi", "-O", folder + "/direct.smi", flag, smarts});
  }

  int paneIndexSearch(const std::string& smarts, const std::string& similarity) {
    std::string output = folder + "/index hits.smi";
    std::filesystem::remove(output);
    setText("outputFilepath", output);
    h.choose(pane, "smartsSearchoptions", "matching");
    setText("smartsSearch", smarts);
    setText("similarityScore", similarity);
    h.press(pane, "runFSsearch:");
    return std::filesystem::exists(output) ? obabelCount({output, "-onul"}) : -1;
  }
  int directIndexSearch(const std::string& smarts, const std::string& similarity) {
    std::vector<std::string> arguments = {text("fssearchPath"), "-O", folder + "/direct.smi"};
    if (!similarity.empty()) arguments.push_back("-at" + similarity);
    arguments.insert(arguments.end(), {"-s", smarts});
    return obabelCount(arguments);
  }

  std::string folder, input;
};

TEST_F(SearchWithObabel, FileSearchKeepsMatchingOrOtherMolecules) {
  for (const std::string smarts : {"c1ccccc1O", "C(=O)N", "[#7;R][CX3](=O)"}) {
    SCOPED_TRACE(smarts);
    int matching = paneFileSearch("matching", smarts);
    int others = paneFileSearch("not_matching", smarts);
    EXPECT_EQ(matching, directFileSearch("-s", smarts));
    EXPECT_EQ(others, directFileSearch("-v", smarts));
    EXPECT_GT(matching, 0);
    EXPECT_EQ(matching + others, 47);
  }
}

TEST_F(SearchWithObabel, IndexIsBuiltBesideTheInputAndQueried) {
  paneFileSearch("Choose", "");  // leaves the input-format flag for the index build
  h.press(pane, "createFS:");
  ASSERT_TRUE(std::filesystem::exists(folder + "/cdk2 ligands.fs"));

  int amides = paneIndexSearch("C(=O)N", "");
  EXPECT_EQ(amides, directIndexSearch("C(=O)N", ""));
  EXPECT_EQ(amides, directFileSearch("-s", "C(=O)N")) << "the index finds what a scan finds";

  // The first ligand as the query: a SMILES holding brackets and parentheses.
  const std::string query = "CC(C)C(=O)COc1c2c([nH]cn2)nc(n1)N";
  int loose = paneIndexSearch(query, "0.5");
  int strict = paneIndexSearch(query, "0.8");
  EXPECT_EQ(loose, directIndexSearch(query, "0.5"));
  EXPECT_EQ(strict, directIndexSearch(query, "0.8"));
  EXPECT_GT(loose, strict);
  EXPECT_GE(strict, 1) << "the query molecule itself is in the index";
  EXPECT_TRUE(h.alerts().empty());
}

}  // namespace
}  // namespace molbench::testing
