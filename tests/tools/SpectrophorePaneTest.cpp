// The spectrophore pane: generation with the real obspectrophore, and the similarity search
// against a database that program wrote, checked against distances worked out here.
#include <gmock/gmock.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <sstream>

#include "PaneFixture.h"
#include "tools/obspectrophoreviewcontroller.h"

namespace molbench::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

constexpr const char* kHeader = "Resolution:       3 Angstrom\n\n";

std::vector<std::string> linesOf(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// Title and values of the records after the header, read with strtod.
std::vector<std::pair<std::string, std::vector<double>>> records(const std::string& text) {
  std::vector<std::pair<std::string, std::vector<double>>> result;
  auto lines = linesOf(text.substr(text.find("Angstrom\n\n") + 10));
  for (const auto& line : lines) {
    std::istringstream fields(line);
    std::string title, field;
    std::getline(fields, title, '\t');
    std::vector<double> values;
    while (std::getline(fields, field, '\t')) values.push_back(std::strtod(field.c_str(), nullptr));
    result.push_back({title, values});
  }
  return result;
}

class SpectrophorePane : public PaneTest<obspectrophoreviewcontroller> {
 protected:
  SpectrophorePane() : PaneTest("obspectrophore") {}

  // The real spectrophores of twelve CDK2 ligands, and the first of them alone as the query.
  void realDatabaseAndQuery() {
    setText("inputFilepath", testDataPath("cdk2-12.sdf"));
    setText("spectrophoreFilepath", database);
    h.press(pane, "generateObspectrophore:");
    ASSERT_EQ(obabelCount({testDataPath("cdk2-12.sdf"), "-l", "1", "-O", query}), 1);
    search(query, database);
  }
  void search(const std::string& queryPath, const std::string& databasePath) {
    setText("queryMolpath", queryPath);
    setText("spectrophoreFilepath", databasePath);
    setText("searchResultspath", results);
    h.press(pane, "runobspectrophoreSearch:");
  }
  std::string database = scratch("cdk2 12.spectrophore");
  std::string query = scratch("query.sdf");
  std::string results = scratch("query.txt");
};

TEST_F(SpectrophorePane, GeneratesTheSpectrophoresOfEveryMolecule) {
  useObabel("/usr/bin/obabel");
  realDatabaseAndQuery();
  auto text = readFile(database);
  auto written = records(text);
  ASSERT_EQ(written.size(), 12u);
  EXPECT_EQ(written[0].first, "ZINC03814457");
  for (const auto& [title, values] : written) EXPECT_EQ(values.size(), 48u) << title;
  EXPECT_THAT(h.diagnostics(), ElementsAre("13")) << "neither command is printed";
}

TEST_F(SpectrophorePane, SearchAppendsTheDistanceOfEveryRecord) {
  realDatabaseAndQuery();
  auto written = records(readFile(database));
  auto lines = linesOf(readFile(results));
  ASSERT_EQ(lines.size(), 12u);
  EXPECT_EQ(lines[0], "ZINC03814457 0.00");
  for (size_t i : {1u, 5u, 11u}) {
    double sum = 0;
    for (size_t k = 0; k < 48; ++k) sum += std::pow(written[0].second[k] - written[i].second[k], 2);
    char expected[128];
    std::snprintf(expected, sizeof expected, "%s %0.2f", written[i].first.c_str(), std::sqrt(sum));
    EXPECT_EQ(lines[i], expected);
  }
  EXPECT_EQ(pane.queryMoltitle, "ZINC03814457");
  EXPECT_EQ(pane.mol1Doubles.size(), 48u);
  EXPECT_EQ(pane.mainMoltitle, written[11].first);

  search(query, database);  // the results file only grows
  EXPECT_EQ(linesOf(readFile(results)).size(), 24u);
  EXPECT_THAT(h.alerts(), IsEmpty());
}

TEST_F(SpectrophorePane, MalformedRecordStopsTheSearchKeepingTheLinesBefore) {
  realDatabaseAndQuery();
  auto text = readFile(database);
  auto third = text.find("\nZINC03814460");
  text.insert(third + 1, "\n");  // an empty line before the third record
  writeFile(database, text);
  writeFile(results, "");
  search(query, database);
  EXPECT_THAT(linesOf(readFile(results)), ElementsAre("ZINC03814457 0.00", ::testing::_));
  ASSERT_EQ(h.alerts().size(), 1u);
  EXPECT_THAT(h.alerts()[0].informativeText, HasSubstr("record 3"));
}

TEST_F(SpectrophorePane, HostileTitlesAndPathsStayText) {
  useStandIn();
  standInSibling("obspectrophore");
  search(scratch("it's $(id).sdf"), database);
  EXPECT_EQ(pane.obshellCommand,
            scratch("bin/obspectrophore") + " -i '" + temp() + "/it'\\''s $(id).sdf'");
  EXPECT_THAT(standInArguments(), ElementsAre("-i", scratch("it's $(id).sdf")));
  ASSERT_EQ(h.alerts().size(), 1u) << "the stand-in prints no spectrophore";

  // A query program that prints one record, and a database of titles made to break a shell.
  writeFile(scratch("bin/obspectrophore"),
            std::string("#!/bin/bash\nprintf '") + "x 3 Angstrom\\n\\nq\\t1\\t2\\t\\n'\n");
  writeFile(database, std::string(kHeader) + "$(touch pwned);  `id`\t1\t2\t\n-n\t4\t6\t\n");
  search(query, database);
  EXPECT_EQ(readFile(results), "$(touch pwned); `id` 0.00\n-n 5.00\n");
  EXPECT_FALSE(fileExists("pwned"));
}

TEST_F(SpectrophorePane, GuardedOutputsAndChoosers) {
  useObabel("/usr/bin/obabel");
  writeFile(database, std::string(kHeader) + "a\t1\t\n");
  setText("inputFilepath", database);
  setText("spectrophoreFilepath", database);
  h.press(pane, "generateObspectrophore:");
  EXPECT_EQ(readFile(database), std::string(kHeader) + "a\t1\t\n") << "the input survives";
  results = database;
  search(query, database);
  EXPECT_EQ(h.alerts().size(), 2u);
  EXPECT_EQ(readFile(database), std::string(kHeader) + "a\t1\t\n") << "nothing appended to it";

  h.answerOpenPanel(temp() + "/set1.sdf");
  h.press(pane, "inputFile:");
  EXPECT_EQ(text("spectrophoreFilepath"), temp() + "/set1.spectrophore");
  h.answerOpenPanel(temp() + "/other.spectrophore");
  h.press(pane, "chooseSpectrophorefile:");
  EXPECT_EQ(text("spectrophoreFilepath"), temp() + "/other.spectrophore");
  EXPECT_EQ(text("inputFilepath"), temp() + "/set1.sdf");
  h.answerOpenPanel(temp() + "/q.sdf");
  h.press(pane, "chooseQueryfile:");
  EXPECT_EQ(text("searchResultspath"), temp() + "/q.txt");
  EXPECT_THAT(*h.openPanels()[1].allowedFileTypes, ElementsAre("spectrophore"));
  EXPECT_EQ(h.openPanels()[2].title, "Choose input file");
}

}  // namespace
}  // namespace molbench::testing
