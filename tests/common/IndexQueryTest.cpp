// The index search's query check, judged by the real obabel's index search over a real index
// (RDKit's NCI SMILES): in each mode it refuses exactly the queries that search cannot read.
#include <gmock/gmock.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <future>
#include <map>
#include <sstream>

#include "TestSupport.h"
#include "common/IndexQuery.h"
#include "common/ShellQuote.h"
#include "common/SmartsCheck.h"
#include "platform/headless/Harness.h"

namespace molbench {
namespace {

using namespace molbench::testing;

const std::string kNci = "/usr/share/RDKit/Data/NCI/first_5K.smi";
const std::string kInteLigand = "/usr/share/openbabel/3.1.1/SMARTS_InteLigand.txt";

// The functional groups of Open Babel's table, by name ("Phenol: [OX2H][c]").
std::map<std::string, std::string> inteLigandPatterns() {
  std::map<std::string, std::string> patterns;
  std::ifstream table(kInteLigand);
  for (std::string line; std::getline(table, line);) {
    auto colon = line.find(':');
    if (line.empty() || line[0] == '#' || colon == std::string::npos) continue;
    std::istringstream rest(line.substr(colon + 1));
    rest >> patterns[line.substr(0, colon)];
  }
  return patterns;
}

// The SMILES of the NCI records, in order, and the first `count` lines as a file.
std::vector<std::string> nciRecords(const std::string& copyPath, size_t count) {
  std::vector<std::string> smiles;
  std::ifstream in(kNci);
  std::ofstream copy(copyPath);
  for (std::string line; smiles.size() < count && std::getline(in, line);) {
    copy << line << "\n";
    smiles.push_back(line.substr(0, line.find('\t')));
  }
  return smiles;
}

// Whether obabel's index search, run as the pane runs it, prints an error of its own: one bash
// loop over every query in each mode, in the folder.
std::vector<bool> indexSearchErrs(const std::string& folder, const std::vector<std::string>& modes,
                                  const std::vector<std::string>& queries) {
  std::string list = folder + "/queries";
  std::ofstream out(list);
  for (const auto& query : queries) out << query << '\n';
  out.close();
  std::string command = "cd " + quotedPath(folder) + " && for at in";
  for (const auto& mode : modes) command += mode.empty() ? " ''" : " -at" + mode;
  command += "; do while IFS= read -r q; do " + std::string(kObabel) +
             " nci.fs -onul -s \"$q\" $at 2>&1 | grep -q 'Open Babel Error' && echo 1 || echo 0; "
             "done < queries; done";
  std::vector<bool> errs;
  for (char c : runForOutput(command))
    if (c != '\n') errs.push_back(c == '1');
  return errs;
}

TEST(IndexQuery, RefusesExactlyTheQueriesTheIndexSearchCannotReadInEachMode) {
  headless::Harness h;
  const std::string dir = h.temporaryDirectory(), before = std::filesystem::current_path();
  // 400 records: 8 of them mixtures ("."), as salts and solvates are stored.
  auto records = nciRecords(dir + "/nci.smi", 400);
  ASSERT_EQ(records.size(), 400u) << kNci;
  ASSERT_EQ(obabelCount({dir + "/nci.smi", "-ofs", "-O", dir + "/nci.fs"}), 400);
  writeFile(dir + "/query.smi", records[2] + "\n");
  auto groups = inteLigandPatterns();
  std::vector<std::string> queries = {
      // Molecules, and mixtures: SMILES, but no SMARTS.
      records[0], records[1], records[20], records[252], records[279], records[392],
      // A molecule file in the working folder, and none; a broken SMILES; [#n] atoms.
      "query.smi", "missing.smi", "C1CC", "[#6]1[#6][#6][#6][#6][#6]1"};
  // Functional groups: SMARTS, nearly all no SMILES.
  for (const std::string name : {"Carboxylic_acid", "1,2-Diol", "Primary_carbon", "Azide", "Phenol",
                                 "Arylchloride", "Hetero_O", "C_ONS_bond"}) {
    ASSERT_TRUE(groups.count(name)) << name;
    queries.push_back(groups[name]);
  }
  // Substructure, a least similarity, a number of most similar molecules. Each mode's checks
  // run beside the others and beside obabel's own searches.
  const std::vector<std::string> modes = {"", "0.7", "5"};
  std::filesystem::current_path(dir);
  auto real = std::async(std::launch::async, [&] { return indexSearchErrs(dir, modes, queries); });
  std::vector<std::future<std::vector<bool>>> checked;
  for (const auto& mode : modes)
    checked.push_back(std::async(std::launch::async, [&, mode] {
      std::vector<bool> refused;
      for (const auto& query : queries)
        refused.push_back(
            smartsFilterProblem(kObabel, "matching", query, SmartsUse::indexQuery, mode, dir)
                .has_value());
      return refused;
    }));
  auto errs = real.get();
  std::vector<std::vector<bool>> verdicts;
  for (auto& mode : checked) verdicts.push_back(mode.get());
  std::filesystem::current_path(before);
  ASSERT_EQ(errs.size(), modes.size() * queries.size());
  for (size_t m = 0, row = 0; m < modes.size(); ++m) {
    const auto& refused = verdicts[m];
    for (size_t q = 0; q < queries.size(); ++q, ++row)
      EXPECT_EQ(refused[q], errs[row]) << "-at" << modes[m] << " -s " << queries[q];
    auto count = std::count(refused.begin(), refused.end(), true);
    EXPECT_GT(count, 0) << modes[m];
    EXPECT_LT(count, static_cast<long>(queries.size())) << modes[m];
  }
  // The check removes the index it made.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), {}), 4);
}

// obabel reads a similarity without "." as a whole number with atoi, and one with it as a
// fraction with atof ("0.7,0.9" a range), taking what it can and saying nothing. Only a text it
// reads as the number typed runs; each reading is shown by obabel's own hits.
TEST(IndexQuery, RunsOnlyASimilarityObabelReadsAsTheNumberTyped) {
  headless::Harness h;
  const std::string dir = h.temporaryDirectory();
  nciRecords(dir + "/nci.smi", 400);
  ASSERT_EQ(obabelCount({dir + "/nci.smi", "-ofs", "-O", dir + "/nci.fs"}), 400);
  // The text, the number obabel reads, whether it runs.
  const std::tuple<std::string, std::string, bool> cases[] = {
      {"0.2", "0.2", true},         {".2", "0.2", true},        {"1.", "1.0", true},
      {"-0.2", "-0.2", true},       {"10", "10", true},         {" 5 ", "5", true},
      {"0.2,0.5", "0.2,0.5", true}, {"0.2,1", "0.2,1.0", true}, {"0,2", "0", false},
      {"5,7", "5", false},          {"1e-1", "1", false},       {"0.2x", "0.2", false},
      {"xyz", "0", false},          {" ", "0", false},          {"1.2.3", "1.2", false}};
  std::string command = "cd " + quotedPath(dir) + " && for at in";
  for (const auto& [text, read, runs] : cases)
    command += " " + shellWord("-at" + text) + " " + shellWord("-at" + read);
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
