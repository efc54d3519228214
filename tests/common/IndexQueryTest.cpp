// The index search's query check, judged by the real obabel's index search over a real index
// (RDKit's NCI SMILES): in each mode it refuses exactly the queries that search cannot read.
#include <gmock/gmock.h>

#include <filesystem>
#include <sstream>
#include <tuple>

#include "TestSupport.h"
#include "common/IndexQuery.h"
#include "common/ShellQuote.h"
#include "common/SmartsCheck.h"
#include "platform/headless/Harness.h"

namespace molbench {
namespace {

using namespace molbench::testing;

// The index of RDKit's first 400 NCI records, 8 of them mixtures ("."), as salts are stored.
class IndexQuery : public ::testing::Test {
 protected:
  void SetUp() override {
    runForOutput("head -n 400 /usr/share/RDKit/Data/NCI/first_5K.smi >" + quotedPath(nci + "smi"));
    std::istringstream lines(readFile(nci + "smi"));
    for (std::string line; std::getline(lines, line);)
      records.push_back(line.substr(0, line.find('\t')));
    ASSERT_EQ(obabelCount({nci + "smi", "-ofs", "-O", nci + "fs"}), 400);
  }

  headless::Harness h;
  const std::string dir = h.temporaryDirectory(), nci = dir + "/nci.";
  std::vector<std::string> records;
};

TEST_F(IndexQuery, RefusesExactlyTheQueriesTheIndexSearchCannotReadInEachMode) {
  writeFile(dir + "/query.smi", records[2] + "\n");
  const std::vector<std::string> queries = {
      // Molecules, and mixtures: SMILES, but no SMARTS.
      records[0], records[1], records[20], records[252], records[279], records[392],
      // A molecule file in the working folder, and none; a broken SMILES; [#n] atoms.
      "query.smi", "missing.smi", "C1CC", "[#6]1[#6][#6][#6][#6][#6]1",
      // Functional groups of Open Babel's SMARTS_InteLigand.txt: SMARTS, nearly all no SMILES.
      "[CX3;$([R0][#6]),$([H1R0])](=[OX1])[$([OX2H]),$([OX1-])]", "[CX4H3][#6]",
      "[NX1]~[NX2]~[NX2,NX1]", "[OX2H][c]", "[Cl][c]", "[o]", "[#6]~[#7,#8,#16]"};
  std::string list;
  for (const auto& query : queries) list += query + "\n";
  writeFile(dir + "/queries", list);
  // Substructure, a least similarity, a number of most similar molecules.
  const std::string modes[] = {"", "0.7", "5"};
  std::istringstream errs(runForOutput(
      "cd " + quotedPath(dir) + " && for at in '' -at0.7 -at5; do while IFS= read -r q; do " +
      kObabel +
      " nci.fs -onul -s \"$q\" $at 2>&1 | grep -q 'Open Babel Error' && echo 1 || echo 0; "
      "done < queries; done"));
  const auto before = std::filesystem::current_path();
  std::filesystem::current_path(dir);
  for (const auto& mode : modes) {
    size_t refusals = 0;
    for (const auto& query : queries) {
      int err = -1;
      errs >> err;
      bool refused =
          smartsFilterProblem(kObabel, "matching", query, SmartsUse::indexQuery, mode, dir)
              .has_value();
      refusals += refused;
      EXPECT_EQ(refused, err == 1) << "-at" << mode << " -s " << query;
    }
    EXPECT_GT(refusals, 0u) << mode;
    EXPECT_LT(refusals, queries.size()) << mode;
  }
  std::filesystem::current_path(before);
  // The check removes the index it made.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), {}), 4);
}

// obabel reads a similarity without "." as a whole number with atoi, and one with it as a
// fraction with atof ("0.7,0.9" a range, each bound after any blanks), taking what it can and
// saying nothing. Only a text it
// reads as the number typed runs; each reading is shown by obabel's own hits.
TEST_F(IndexQuery, RunsOnlyASimilarityObabelReadsAsTheNumberTyped) {
  // The text, the number obabel reads, whether it runs.
  const std::tuple<std::string, std::string, bool> cases[] = {
      {"0.2", "0.2", true},
      {".2", "0.2", true},
      {"1.", "1.0", true},
      {"-0.2", "-0.2", true},
      {"10", "10", true},
      {" 5 ", "5", true},
      {"0.2,0.5", "0.2,0.5", true},
      {"0.2,1", "0.2,1.0", true},
      {"0,2", "0", false},
      {"0.2x", "0.2", false},
      {" ", "0", false},
      {"1.2.3", "1.2", false},
      // Blanks beside the comma: obabel reads each bound on its own, the range as typed.
      {"0.2, 0.5", "0.2,0.5", true},
      {"0.2 ,0.5", "0.2,0.5", true},
      {" 0.2\t,  0.5 ", "0.2,0.5", true},
      {"0.2 x,0.5", "0.2,0.5", false}};
  std::string command = "cd " + quotedPath(dir) + " && for at in";
  for (const auto& [text, read, runs] : cases)
    command += similarityPiece(text) + " " + shellWord("-at" + read);  // as the search has it
  command += "; do " + std::string(kObabel) +
             " nci.fs -onul -s 'c1ccccc1N' \"$at\" 2>&1 | grep converted; done";
  std::istringstream hits(runForOutput(command));
  for (const auto& [text, read, runs] : cases) {
    std::string ofText, ofRead;
    std::getline(hits, ofText);
    std::getline(hits, ofRead);
    EXPECT_EQ(ofText, ofRead) << "[" << text << "] is read as " << read;
    EXPECT_EQ(similarityProblem(text).has_value(), !runs) << "[" << text << "]";
  }
}

}  // namespace
}  // namespace molbench
