// The search pane running the real obabel on a real SD file (47 CDK2 ligands), in a folder
// whose name holds a quote and blanks. Hit counts are checked against obabel run directly.
#include <gmock/gmock.h>

#include <filesystem>

#include "SearchTestSupport.h"

namespace molbench::testing {
namespace {

class SearchWithObabel : public SearchPaneTest {
 protected:
  SearchWithObabel() {
    useObabel(kObabel);
    folder = temp() + "/it's a set (cdk2)";
    std::filesystem::create_directory(folder);
    input = folder + "/cdk2 ligands.sdf";
    std::filesystem::copy_file(MOLBENCH_TEST_DATA_DIR "/cdk2.sdf", input);
    setText("inputFilepath", input);
    h.choose(pane, "inputFiletype", "sdf -- MDL MOL format");
  }

  // Hits of the pane's file search written to an output path without extension, as SMILES.
  int paneFileSearch(const std::string& mode, const std::string& smarts) {
    std::string output = folder + "/hits " + mode;
    setText("outputFilepath", output);
    h.choose(pane, "outputFiletype", "smi -- SMILES format");
    h.choose(pane, "smartsSearchoptions", mode);
    setText("smartsSearch", smarts);
    h.press(pane, "checkObabel:");
    return moleculesIn(output + ".smi");
  }

  int directFileSearch(const std::string& flag, const std::string& smarts) {
    return convertedCount(
        runDirect({kObabel, input, "-osmi", "-O", folder + "/direct.smi", flag, smarts}));
  }

  int paneIndexSearch(const std::string& smarts, const std::string& similarity) {
    std::string output = folder + "/index hits.smi";
    std::filesystem::remove(output);
    setText("outputFilepath", output);
    h.choose(pane, "smartsSearchoptions", "matching");
    setText("smartsSearch", smarts);
    setText("similarityScore", similarity);
    h.press(pane, "runFSsearch:");
    return std::filesystem::exists(output) ? moleculesIn(output) : -1;
  }

  int directIndexSearch(const std::string& smarts, const std::string& similarity) {
    std::vector<std::string> argv = {kObabel, index, "-O", folder + "/direct.smi"};
    if (!similarity.empty()) argv.push_back("-at" + similarity);
    argv.insert(argv.end(), {"-s", smarts});
    return convertedCount(runDirect(argv));
  }

  void buildIndex() {
    h.answerOpenPanel(input);
    h.press(pane, "inputFileSelect:");
    index = text("fssearchPath");
    setText("outputFilepath", folder + "/all.sdf");
    h.press(pane, "checkObabel:");  // leaves the input-format flag for the index build
    h.press(pane, "createFS:");
  }

  std::string folder, input, index;
};

TEST_F(SearchWithObabel, FileSearchKeepsMatchingOrOtherMolecules) {
  ASSERT_EQ(moleculesIn(input), 47);
  for (const std::string smarts : {"c1ccccc1O", "C(=O)N", "[#7;R][CX3](=O)", "[OX2H]"}) {
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
  buildIndex();
  EXPECT_EQ(index, folder + "/cdk2 ligands.fs");
  ASSERT_TRUE(std::filesystem::exists(index));
  EXPECT_TRUE(h.alerts().empty());

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
}

}  // namespace
}  // namespace molbench::testing
