// The index search's query check measured against obabel's own index search, query by query,
// in its three modes (substructure, -at0.7, -at5), over an index of RDKit's NCI first_5K.smi:
//   - every pattern of Open Babel's SMARTS tables that the file search takes (each distinct
//     pattern once; the count with repeats is printed too),
//   - every record of first_5K.smi as a query (its mixtures among them).
// A query is "refused" when the check refuses it, and "errs" when obabel's index search prints
// an error of its own. Both disagreements must be 0. A search that crashes (obabel 3.1.1 does
// on some queries with several "~" bonds, once it has candidates: the pane says so) is counted
// apart and listed. The check's time per query is printed beside a bare index search's
// (medians).
//   index_query_bench            every pattern and record (minutes, on all cores)
//   index_query_bench --small    20 patterns across the tables, 10 molecules and 10 mixtures
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "common/ShellQuote.h"
#include "common/SmartsCheck.h"
#include "platform/headless/Harness.h"
#include "platform/posix/ProcessRunner.h"

namespace {

const std::string kObabel = "/usr/bin/obabel";
const std::string kTables = "/usr/share/openbabel/3.1.1/";
const std::string kNci = "/usr/share/RDKit/Data/NCI/first_5K.smi";

// Where a table keeps its patterns: the lines whose first field is one of the keywords (any
// line, when there are none), and the field (from 1) that holds the pattern.
struct TableRule {
  std::string file;
  std::vector<std::string> keywords;
  size_t field;
};

const TableRule kRules[] = {
    {"atomtyp.txt", {"INTHYB", "IMPVAL", "EXTTYP"}, 2},
    {"bondtyp.txt", {}, 1},
    {"patterns.txt", {}, 1},
    {"logp.txt", {}, 1},
    {"mr.txt", {}, 1},
    {"psa.txt", {}, 1},
    {"mpC.txt", {}, 1},
    {"phmodel.txt", {"SEEDCHARGE"}, 2},
    {"ringtyp.txt", {"RINGTYP"}, 3},
    {"torlib.txt", {}, 1},
    {"torsion.txt", {}, 1},
    {"UFF.prm", {"atom"}, 2},
    {"gaff.prm", {"atom"}, 2},
    {"ghemical.prm", {"atom"}, 2},
    {"superatom.txt", {}, 3},
};

std::vector<std::string> fields(const std::string& line) {
  std::istringstream in(line);
  std::vector<std::string> words;
  for (std::string word; in >> word;) words.push_back(word);
  return words;
}

// Every pattern of the tables, repeats included, as each table writes it; the functional groups
// of SMARTS_InteLigand.txt also on their own.
std::vector<std::string> tablePatterns(std::vector<std::string>& functionalGroups) {
  std::vector<std::string> patterns;
  for (const auto& rule : kRules) {
    std::ifstream in(kTables + rule.file);
    for (std::string line; std::getline(in, line);) {
      auto words = fields(line);
      if (words.empty() || words[0][0] == '#' || words[0][0] == ';') continue;
      // torlib.txt names hybridisation pairs ("SP3-SP3") before its patterns.
      if (rule.file == "torlib.txt" && words[0].rfind("SP", 0) == 0) continue;
      bool keyed = rule.keywords.empty() || std::find(rule.keywords.begin(), rule.keywords.end(),
                                                      words[0]) != rule.keywords.end();
      // Tables of values need the value beside the pattern.
      if (keyed && words.size() >= std::max<size_t>(rule.field, 2))
        patterns.push_back(words[rule.field - 1]);
    }
  }
  std::ifstream maccs(kTables + "MACCS.txt");
  for (std::string line; std::getline(maccs, line);) {
    auto open = line.find("('");
    if (line.find_first_not_of(' ') == line.find('#') || open == std::string::npos) continue;
    patterns.push_back(line.substr(open + 2, line.find('\'', open + 2) - open - 2));
  }
  std::ifstream groups(kTables + "SMARTS_InteLigand.txt");
  for (std::string line; std::getline(groups, line);) {
    auto colon = line.find(':');
    if (line.empty() || line[0] == '#' || colon == std::string::npos) continue;
    auto words = fields(line.substr(colon + 1));
    if (!words.empty()) functionalGroups.push_back(words[0]);
  }
  patterns.insert(patterns.end(), functionalGroups.begin(), functionalGroups.end());
  return patterns;
}

std::vector<std::string> nciRecords() {
  std::vector<std::string> records;
  std::ifstream in(kNci);
  for (std::string line; std::getline(in, line);)
    if (!line.empty()) records.push_back(line.substr(0, line.find('\t')));
  return records;
}

// Runs the job for every index on all cores.
template <class Job>
void forEach(size_t count, Job job) {
  std::atomic<size_t> next{0};
  std::vector<std::thread> workers;
  unsigned cores = std::max(2u, std::thread::hardware_concurrency());
  for (unsigned t = 0; t < cores; ++t)
    workers.emplace_back([&] {
      for (size_t i; (i = next++) < count;) job(i);
    });
  for (auto& worker : workers) worker.join();
}

double secondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

struct Tally {
  long queries = 0, refused = 0, errs = 0, crashed = 0, refusedButRuns = 0, runsButNotRefused = 0;
  std::set<std::string> refusedQueries;
};

// Our check and obabel's own index search for every query in one mode.
Tally measure(const std::vector<std::string>& queries, const std::string& mode,
              const std::string& folder, double& checkSeconds, double& searchSeconds) {
  std::vector<char> refused(queries.size()), errs(queries.size()), crashed(queries.size());
  std::vector<double> checkTimes(queries.size()), searchTimes(queries.size());
  forEach(queries.size(), [&](size_t i) {
    auto start = std::chrono::steady_clock::now();
    refused[i] = molbench::smartsFilterProblem(kObabel, "matching", queries[i],
                                               molbench::SmartsUse::indexQuery, mode, folder)
                     .has_value();
    checkTimes[i] = secondsSince(start);
    start = std::chrono::steady_clock::now();
    auto run = molbench::platform::posix::runBash(
        kObabel + " " + molbench::quotedPath(folder + "/nci.fs") + " -onul -s " +
        molbench::optionValue(queries[i]) + (mode.empty() ? "" : " -at" + mode) + " 2>&1");
    searchTimes[i] = secondsSince(start);
    errs[i] = run.output && run.output->find("Open Babel Error") != std::string::npos;
    crashed[i] = run.signal != 0 || run.exitStatus > 128;
  });
  Tally tally;
  for (size_t i = 0; i < queries.size(); ++i) {
    tally.queries++;
    tally.refused += refused[i];
    if (refused[i]) tally.refusedQueries.insert(queries[i]);
    tally.errs += errs[i];
    tally.crashed += crashed[i];
    if (crashed[i]) {
      std::printf("  crashed (-at%s): %s\n", mode.c_str(), queries[i].c_str());
      continue;
    }
    tally.refusedButRuns += refused[i] && !errs[i];
    tally.runsButNotRefused += !refused[i] && errs[i];
    if (refused[i] != errs[i])
      std::printf("  disagree (-at%s): %s\n", mode.c_str(), queries[i].c_str());
  }
  std::sort(checkTimes.begin(), checkTimes.end());
  std::sort(searchTimes.begin(), searchTimes.end());
  checkSeconds = checkTimes[checkTimes.size() / 2];
  searchSeconds = searchTimes[searchTimes.size() / 2];
  return tally;
}

}  // namespace

int main(int argc, char** argv) {
  bool small = argc > 1 && std::strcmp(argv[1], "--small") == 0;
  molbench::headless::Harness h;
  const std::string folder = h.temporaryDirectory();
  std::filesystem::copy_file(kNci, folder + "/nci.smi");
  molbench::platform::posix::runBash(kObabel + " " + molbench::quotedPath(folder + "/nci.smi") +
                                     " -ofs -O " + molbench::quotedPath(folder + "/nci.fs") +
                                     " >/dev/null 2>&1");

  // The patterns the file search takes: those its check lets through.
  std::vector<std::string> functionalGroups;
  auto all = tablePatterns(functionalGroups);
  std::vector<std::string> distinct(all.begin(), all.end());
  std::sort(distinct.begin(), distinct.end());
  distinct.erase(std::unique(distinct.begin(), distinct.end()), distinct.end());
  if (small) {
    std::vector<std::string> sample;
    for (size_t i = 0; i < distinct.size(); i += distinct.size() / 20)
      sample.push_back(distinct[i]);
    distinct = sample;
  }
  std::vector<char> valid(distinct.size());
  forEach(distinct.size(), [&](size_t i) {
    valid[i] = !molbench::smartsFilterProblem(kObabel, "matching", distinct[i],
                                              molbench::SmartsUse::filterOrNone, "", folder);
  });
  std::vector<std::string> patterns;
  for (size_t i = 0; i < distinct.size(); ++i)
    if (valid[i]) patterns.push_back(distinct[i]);
  std::set<std::string> validSet(patterns.begin(), patterns.end());
  auto countIn = [](const std::vector<std::string>& list, const std::set<std::string>& set) {
    return std::count_if(list.begin(), list.end(),
                         [&](const std::string& p) { return set.count(p) > 0; });
  };

  auto records = nciRecords();
  if (small) {
    // Ten molecules and ten mixtures.
    std::vector<std::string> sample;
    for (bool mixture : {false, true})
      std::copy_if(records.begin(), records.end(), std::back_inserter(sample),
                   [&, taken = 0](const std::string& smiles) mutable {
                     return (smiles.find('.') != std::string::npos) == mixture && taken++ < 10;
                   });
    records = sample;
  }
  long mixtures = std::count_if(records.begin(), records.end(), [](const std::string& smiles) {
    return smiles.find('.') != std::string::npos;
  });

  std::printf("%zu valid table patterns (%ld with repeats); %zu NCI records, %ld mixtures\n",
              patterns.size(), countIn(all, validSet), records.size(), mixtures);
  std::printf("%-7s %-7s %6s %8s %6s %8s %17s %21s %9s %10s\n", "queries", "mode", "count",
              "refused", "errs", "crashed", "refused-but-runs", "runs-but-not-refused", "check ms",
              "search ms");
  std::set<std::string> substructureRefusals;
  for (const auto& [name, queries] :
       std::map<std::string, std::vector<std::string>>{{"NCI", records}, {"tables", patterns}})
    for (const std::string mode : {"", "0.7", "5"}) {
      double check = 0, search = 0;
      Tally t = measure(queries, mode, folder, check, search);
      if (name == "tables" && mode.empty()) substructureRefusals = t.refusedQueries;
      std::printf("%-7s %-7s %6ld %8ld %6ld %8ld %17ld %21ld %9.0f %10.0f\n", name.c_str(),
                  mode.empty() ? "-s only" : ("-at" + mode).c_str(), t.queries, t.refused, t.errs,
                  t.crashed, t.refusedButRuns, t.runsButNotRefused, check * 1000, search * 1000);
    }
  std::printf(
      "refused in a substructure search: %ld of the %ld valid table patterns with repeats; "
      "%ld of the %ld functional groups of SMARTS_InteLigand.txt\n",
      countIn(all, substructureRefusals), countIn(all, validSet),
      countIn(functionalGroups, substructureRefusals), countIn(functionalGroups, validSet));
  return 0;
}
