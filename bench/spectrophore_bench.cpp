// The spectrophore similarity search over a large database (real obspectrophore records of the
// CDK2 ligands, repeated): the pane's search against the plain way of one `echo … >> file`
// shell per record, with the two results files compared byte for byte.
//
//   spectrophore_bench            100,000 records; the per-record way timed on 5,000 of them
//   spectrophore_bench --exact    the same, with the per-record way run on all 100,000
//   spectrophore_bench --small    1,000 records, the per-record way on 200 (for `make test`)
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "common/Shell.h"
#include "common/ShellQuote.h"
#include "platform/headless/Harness.h"
#include "tools/obspectrophoreviewcontroller.h"

namespace {

using molbench::quotedPath;
using molbench::headless::Harness;

const std::string kLigands = MOLBENCH_TEST_DATA_DIR "/cdk2.sdf";

constexpr const char* kHeaderEnd = "Angstrom\n\n";

std::string readAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

void writeAll(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

template <class Run>
double secondsFor(Run run) {
  auto start = std::chrono::steady_clock::now();
  run();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

struct Database {
  std::string header;
  std::vector<std::string> lines;  // each with its line feed
};

Database realRecords(const std::string& folder) {
  std::string path = folder + "/real.spectrophore";
  molbench::shell("obspectrophore -i " + quotedPath(kLigands) + " > " + quotedPath(path));
  std::string text = readAll(path);
  auto end = text.find(kHeaderEnd) + std::strlen(kHeaderEnd);
  Database database{text.substr(0, end), {}};
  std::istringstream in(text.substr(end));
  for (std::string line; std::getline(in, line);) database.lines.push_back(line + "\n");
  return database;
}

std::string databaseText(const Database& real, std::size_t records) {
  std::string text = real.header;
  for (std::size_t i = 0; i < records; ++i) text += real.lines[i % real.lines.size()];
  return text;
}

// The plain way: the distances worked out with strtod and printf, one shell per record.
void perRecordSearch(const std::string& queryText, const std::string& databasePath,
                     const std::string& resultsPath) {
  auto values = [](const std::string& line, std::string& title) {
    std::vector<double> result;
    std::istringstream fields(line);
    std::string field;
    std::getline(fields, title, '\t');
    while (std::getline(fields, field, '\t'))
      if (field != "\n" && !field.empty()) result.push_back(std::strtod(field.c_str(), nullptr));
    return result;
  };
  std::string queryTitle;
  auto query = values(queryText.substr(queryText.find(kHeaderEnd) + 10), queryTitle);
  std::string text = readAll(databasePath);
  std::istringstream in(text.substr(text.find(kHeaderEnd) + 10));
  for (std::string line; std::getline(in, line);) {
    std::string title;
    auto record = values(line, title);
    double sum = 0;
    for (std::size_t i = 0; i < query.size(); ++i) sum += std::pow(query[i] - record[i], 2);
    char distance[64];
    std::snprintf(distance, sizeof distance, "%0.2f", std::sqrt(sum));
    molbench::shell("echo " + title + "\t" + distance + " >> " + quotedPath(resultsPath));
  }
}

struct Search {
  Harness& h;
  molbench::obspectrophoreviewcontroller& pane;
  double seconds(const std::string& query, const std::string& database,
                 const std::string& results) {
    h.field(pane, "queryMolpath").setText(query);
    h.field(pane, "spectrophoreFilepath").setText(database);
    h.field(pane, "searchResultspath").setText(results);
    return secondsFor([&] { h.press(pane, "runobspectrophoreSearch:"); });
  }
};

}  // namespace

int main(int argc, char** argv) {
  bool small = argc > 1 && std::strcmp(argv[1], "--small") == 0;
  bool exact = argc > 1 && std::strcmp(argv[1], "--exact") == 0;
  std::size_t records = small ? 1000 : 100000;
  std::size_t sample = small ? 200 : exact ? records : 5000;

  Harness h;
  h.defaults().set("pathToobabel", "/usr/bin/obabel");
  std::string folder = h.temporaryDirectory();
  Database real = realRecords(folder);
  std::string query = folder + "/query.sdf";
  molbench::shell("obabel " + quotedPath(kLigands) + " -l 1 -O " + quotedPath(query) +
                  " 2>/dev/null");
  std::string database = folder + "/big.spectrophore", sampled = folder + "/sample.spectrophore";
  writeAll(database, databaseText(real, records));
  writeAll(sampled, databaseText(real, sample));

  std::string queryText;
  double queryProgram = 1e9;
  for (int i = 0; i < 3; ++i)
    queryProgram = std::min(queryProgram, secondsFor([&] {
                              queryText =
                                  *molbench::shell("obspectrophore -i " + quotedPath(query));
                            }));

  Search search{h, h.make<molbench::obspectrophoreviewcontroller>("obspectrophore")};
  double ours = search.seconds(query, database, folder + "/ours.txt");
  search.seconds(query, sampled, folder + "/ours-sample.txt");
  double plain = secondsFor([&] { perRecordSearch(queryText, sampled, folder + "/plain.txt"); });
  double plainAll = plain * static_cast<double>(records) / static_cast<double>(sample);

  bool identical = readAll(folder + "/ours-sample.txt") == readAll(folder + "/plain.txt");
  std::string ourResults = readAll(folder + "/ours.txt");
  auto ourLines = std::count(ourResults.begin(), ourResults.end(), '\n');
  std::printf("database %zu records; query program %.3f s\n", records, queryProgram);
  std::printf("pane search %.3f s (%.3f s beyond the query program), %ld lines\n", ours,
              ours - queryProgram, static_cast<long>(ourLines));
  std::printf("per-record shells %.3f s for %zu records, %s%.1f s for %zu   ratio %.0fx\n", plain,
              sample, sample == records ? "" : "so about ", plainAll, records, plainAll / ours);
  std::printf("results byte-identical on %zu records: %s\n", sample, identical ? "yes" : "NO");
  return identical && static_cast<std::size_t>(ourLines) == records ? 0 : 1;
}
