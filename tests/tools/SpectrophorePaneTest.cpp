// The spectrophore pane: generation with the real obspectrophore, and the similarity search
// against the database that program wrote, checked against distances worked out here.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <sstream>

#include "ToolPattern.h"
#include "tools/SpectrophoreSearch.h"
#include "tools/obspectrophoreviewcontroller.h"

namespace molbench::testing {
namespace {

using ::testing::ElementsAre;
using namespace std::string_literals;

constexpr const char* kHeader = "Resolution:       3 Angstrom\n\n";

std::vector<std::string> linesOf(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

class SpectrophorePane : public ToolPane<obspectrophoreviewcontroller, "obspectrophore"> {
 protected:
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

// obspectrophore finds no molecule in a gzip-compressed file, even one of a single molecule.
TEST_F(SpectrophorePane, ACompressedInputRunsNothing) {
  runForOutput(std::string(kObabel) + " " + quotedPath(testDataPath("small.sdf")) +
               " -l 1 -osdf | gzip > " + quotedPath(scratch("one.sdf.gz")));
  writeFile(database, "kept");
  setText("inputFilepath", scratch("one.sdf.gz"));
  setText("spectrophoreFilepath", database);
  h.press(pane, "generateObspectrophore:");
  EXPECT_EQ(readFile(database), "kept");
  EXPECT_EQ(h.alerts().at(0).messageText, "Decompress the input file");
}

TEST_F(SpectrophorePane, SearchAppendsTheDistanceOfEveryRecordOfARealDatabaseUpToAMalformedOne) {
  // The real spectrophores of twelve CDK2 ligands, and the first of them alone as the query.
  setText("inputFilepath", testDataPath("cdk2-12.sdf"));
  setText("spectrophoreFilepath", database);
  h.press(pane, "generateObspectrophore:");
  ASSERT_EQ(obabelCount({testDataPath("cdk2-12.sdf"), "-l", "1", "-O", query}), 1);
  search(query, database);
  std::vector<SpectrophoreRecord> records;
  for (const auto& line : linesOf(std::string(*spectrophoreRecords(readFile(database)))))
    records.push_back(*parseSpectrophoreRecord(line + "\n"));
  ASSERT_EQ(records.size(), 12u);
  EXPECT_EQ(records[0].values.size(), 48u);

  auto lines = linesOf(readFile(results));
  ASSERT_EQ(lines.size(), 12u);
  EXPECT_EQ(lines[0], "ZINC03814457 0.00");
  for (size_t i : {1u, 5u, 11u}) {
    double sum = 0;
    for (size_t k = 0; k < 48; ++k) sum += std::pow(records[0].values[k] - records[i].values[k], 2);
    char expected[128];
    std::snprintf(expected, sizeof expected, "%s %0.2f", records[i].title.c_str(), std::sqrt(sum));
    EXPECT_EQ(lines[i], expected);
  }
  EXPECT_EQ(pane.mainMoltitle, records[11].title);
  EXPECT_THAT(h.diagnostics(), ElementsAre("13")) << "neither command is printed";
  EXPECT_TRUE(h.alerts().empty());

  // An empty line before the third record stops the next search after two lines; the results
  // file only grows.
  auto text = readFile(database);
  writeFile(database, text.insert(text.find("\nZINC03814460") + 1, "\n"));
  search(query, database);
  lines = linesOf(readFile(results));
  EXPECT_EQ(std::vector(lines.begin() + 12, lines.end()),
            std::vector(lines.begin(), lines.begin() + 2));
  ASSERT_EQ(h.alerts().size(), 1u);
  EXPECT_THAT(h.alerts()[0].informativeText, ::testing::HasSubstr("record 3"));

  // Results in a folder that does not exist: nothing runs, and the alert says why.
  results = scratch("no such folder/query.txt");
  search(query, database);
  ASSERT_EQ(h.alerts().size(), 2u);
  EXPECT_THAT(h.alerts()[1].informativeText, ::testing::HasSubstr("does not exist"));

  // A results file whose last line is unfinished gets its line feed before the first new line;
  // an empty one gets no blank line.
  for (const std::string before : {"typed by hand", ""}) {
    results = scratch("more.txt");
    writeFile(results, before);
    search(query, database);
    lines = linesOf(readFile(results));
    ASSERT_EQ(lines.size(), before.empty() ? 2u : 3u) << before;
    EXPECT_EQ(lines[0], before.empty() ? "ZINC03814457 0.00" : before);
    EXPECT_EQ(lines.back().rfind("ZINC", 0), 0u);
  }
  EXPECT_EQ(h.alerts().size(), 4u);  // the two searches stopped at the malformed record
}

// What obspectrophore leaves out or gets wrong is said, and so is a database the search would
// otherwise read only in part.
TEST_F(SpectrophorePane, InputsWithNoResultAndDatabasesReadInPartAreSaid) {
  setText("inputFilepath", testDataPath("cdk2-12.sdf"));
  setText("spectrophoreFilepath", database);
  h.press(pane, "generateObspectrophore:");
  ASSERT_EQ(obabelCount({testDataPath("cdk2-12.sdf"), "-l", "1", "-O", query}), 1);
  const std::string whole = readFile(database);
  const std::string header = whole.substr(0, whole.find("Angstrom\n\n") + 10);
  writeFile(scratch("none.sdf"), "not a molecule\n");
  auto generate = [&](const std::string& input) {
    setText("inputFilepath", input);
    setText("spectrophoreFilepath", scratch("out.spectrophore"));
    h.press(pane, "generateObspectrophore:");
  };
  auto searchIn = [&](const std::string& text) {
    writeFile(scratch("db.spectrophore"), text);
    search(query, scratch("db.spectrophore"));
  };
  struct Case {
    const char* name;
    std::function<void()> run;
    std::string alert;  // a part of the alert's title or text; "" for none
    size_t resultLines;
    bool generates = false;  // the spectrophore file holds obspectrophore's result
  };
  const Case cases[] = {
      {"no molecule", [&] { generate(scratch("none.sdf")); }, "obspectrophore read no molecule", 0},
      {"SMILES", [&] { generate(testDataPath("small.smi")); }, "has no coordinates", 0},
      {"last record with no line feed", [&] { searchIn(whole.substr(0, whole.size() - 1)); }, "",
       12},
      {"last record cut short", [&] { searchIn(whole.substr(0, whole.size() - 20)); },
       "record 12, the last, is cut short", 11},
      {"header alone", [&] { searchIn(header); }, "holds no spectrophore record", 0},
  };
  for (const auto& each : cases) {
    SCOPED_TRACE(each.name);
    std::remove(results.c_str());
    writeFile(scratch("out.spectrophore"), "kept");
    size_t alertsBefore = h.alerts().size();
    each.run();
    EXPECT_EQ(linesOf(fileExists(results) ? readFile(results) : "").size(), each.resultLines);
    EXPECT_EQ(h.alerts().size(), alertsBefore + (each.alert.empty() ? 0 : 1));
    if (!each.alert.empty() && h.alerts().size() > alertsBefore) {
      EXPECT_THAT(h.alerts().back().messageText + " " + h.alerts().back().informativeText,
                  ::testing::HasSubstr(each.alert));
    }
    EXPECT_EQ(readFile(scratch("out.spectrophore")) == "kept", !each.generates);
  }
}

TEST_F(SpectrophorePane, HostileTitlesAndPathsStayText) {
  useStandIn();
  standInSibling("obspectrophore");
  writeFile(database, kHeader);
  search(molecules("it's $(id).sdf"), database);
  EXPECT_THAT(standInArguments(), ElementsAre("-i", scratch("it's $(id).sdf")));
  ASSERT_EQ(h.alerts().size(), 1u) << "the stand-in prints no spectrophore";
  setText("inputFilepath", molecules("a b.sdf"));
  setText("spectrophoreFilepath", scratch("o'ut.spectrophore"));
  h.press(pane, "generateObspectrophore:");
  EXPECT_EQ(pane.obshellCommand, scratch("bin/obspectrophore") + " -i '" + temp() +
                                     "/a b.sdf' > '" + temp() + "/o'\\''ut.spectrophore'");
  EXPECT_THAT(standInArguments(), ElementsAre("-i", scratch("a b.sdf")));
  EXPECT_TRUE(fileExists(scratch("o'ut.spectrophore")));

  // A query program that prints one record with a Latin-1 title, and a database of titles made
  // to break a shell or the text: Latin-1 bytes reach the results as they are, a NUL is dropped.
  writeFile(scratch("bin/obspectrophore"),
            "#!/bin/bash\nprintf 'x 3 Angstrom\\n\\nq\\351\\t1\\t2\\t\\n'\n");
  writeFile(database, kHeader + "$(touch pwned);  `id` 'a\t1\t2\t\n-n\t4\t6\t\n"s +
                          "caf\xe9 \xe9t\xe9\t1\t2\t\nn\0ul\t1\t2\t\n"s);
  search(molecules("query.sdf"), database);
  EXPECT_EQ(readFile(results),
            "$(touch pwned); `id` 'a 0.00\n-n 5.00\ncaf\xe9 \xe9t\xe9 0.00\nnul 0.00\n");
  EXPECT_FALSE(fileExists("pwned"));
}

TEST_F(SpectrophorePane, OutputsThatWouldSpoilAnInputAndChooserPresets) {
  writeFile(database, std::string(kHeader) + "a\t1\t\n");
  molecules("query.sdf");
  setText("inputFilepath", database);
  setText("spectrophoreFilepath", database);
  h.press(pane, "generateObspectrophore:");
  results = database;
  search(query, database);
  EXPECT_EQ(h.alerts().size(), 2u);
  EXPECT_EQ(readFile(database), std::string(kHeader) + "a\t1\t\n");

  h.answerOpenPanel(temp() + "/set1.sdf");
  h.press(pane, "inputFile:");
  EXPECT_EQ(text("spectrophoreFilepath"), temp() + "/set1.spectrophore");
  h.answerOpenPanel(temp() + "/q.sdf");
  h.press(pane, "chooseQueryfile:");
  EXPECT_EQ(text("searchResultspath"), temp() + "/q.txt");
  h.answerOpenPanel(temp() + "/other.spectrophore");
  h.press(pane, "chooseSpectrophorefile:");
  EXPECT_EQ(text("spectrophoreFilepath"), temp() + "/other.spectrophore");
  EXPECT_THAT(*h.openPanels()[2].allowedFileTypes, ElementsAre("spectrophore"));
}

}  // namespace
}  // namespace molbench::testing
