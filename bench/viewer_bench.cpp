// The viewer against the bare commands on a large SD file (a real file repeated):
// - importData against its two bare obabel runs (count and title listing), and the memory the
//   rows take;
// - exportSelected of one row into an export file as large as the input against the bare copy
//   and join, the one obabel read that checks the export file before its first join, and the
//   pane's own record count of the export file and of the file the join wrote;
// - smartsFilter on every row, with the obabel run replaced by a program that prints a real
//   listing, so what is timed is the pane's own work (and obabel's check of the pattern);
// - the real Qt table (offscreen) holding every row: adding, filtering, selecting, counting the
//   selection, reading the clicked row and scrolling to the end.
//   viewer_bench            100,010 molecules (274 copies of a 365-molecule file)
//   viewer_bench --small    730 molecules
#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "common/ShellQuote.h"
#include "common/SmartsCheck.h"
#include "platform/headless/Harness.h"
#include "viewer/ExportFiles.h"
#include "viewer/ViewerController.h"

#ifdef MOLBENCH_BENCH_QT
#include <QApplication>
#include <QItemSelectionModel>
#include <QScrollBar>
#include <QTableView>

#include "qt/QtTable.h"
#endif

extern char** environ;

namespace {

const char* kSource = "/usr/share/RDKit/Contrib/PBF/testData/egfr.sdf";
const int kSourceMolecules = 365;
const char* kObabel = "/usr/bin/obabel";
const char* kFilterSmarts = "c1ccccc1N";

std::string runForOutput(const std::string& command) {
  std::string output;
  if (FILE* pipe = ::popen(command.c_str(), "r")) {
    char buffer[1 << 16];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) output.append(buffer, n);
    ::pclose(pipe);
  }
  return output;
}

std::string readAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::string repeatInto(const std::string& path, const std::string& text, int copies) {
  std::ofstream out(path, std::ios::binary);
  for (int i = 0; i < copies; ++i) out << text;
  return path;
}

// The listing of one copy, written `copies` times with the ordinal that ends each line
// counted on by `perCopy` a copy, as obabel numbers the molecules of the repeated file.
void writeCopiesWithOrdinals(const std::string& path, const std::string& listing, int copies,
                             int perCopy) {
  std::ofstream out(path, std::ios::binary);
  for (int copy = 0; copy < copies; ++copy) {
    std::istringstream lines(listing);
    for (std::string line; std::getline(lines, line);) {
      size_t blank = line.find_last_of(' ');
      size_t start = blank == std::string::npos ? 0 : blank + 1;
      out << line.substr(0, start) << std::stol(line.substr(start)) + copy * perCopy << '\n';
    }
  }
}

void runBare(std::vector<std::string> args) {
  std::vector<char*> argv;
  for (auto& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  pid_t pid;
  if (::posix_spawn(&pid, args[0].c_str(), &actions, nullptr, argv.data(), environ) == 0) {
    int status;
    ::waitpid(pid, &status, 0);
  }
  posix_spawn_file_actions_destroy(&actions);
}

double seconds(const std::function<void()>& run) {
  auto start = std::chrono::steady_clock::now();
  run();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

long residentKiB() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
  return 0;
}

// One row exported into a copy of the input as the export file, each round from the same file.
void benchExport(molbench::headless::Harness& h, molbench::ViewerController& pane,
                 const std::string& input, int molecules, int rounds) {
  std::string folder = h.temporaryDirectory();
  std::string exported = folder + "/largeexport.sdf", scratch = folder + "/largetemp.sdf";
  auto freshExport = [&] {
    std::filesystem::copy_file(input, exported, std::filesystem::copy_options::overwrite_existing);
  };
  h.table(pane, "tableView").setSelectedRowIndexes({0});
  std::vector<double> bare, ours, check, counting;
  for (int round = 0; round < rounds; ++round) {
    freshExport();
    counting.push_back(seconds([&] { molbench::sdRecordEnds(exported); }));
    bare.push_back(seconds([&] {
      runBare({kObabel, input, "-f", "1", "-l", "1", "-O", scratch});
      runBare({kObabel, scratch, exported, "-O", exported});
    }));
    check.push_back(seconds([&] { runBare({kObabel, exported, "-onul", "-v", "FFFFF"}); }));
    freshExport();
    ours.push_back(seconds([&] { h.press(pane, "exportSelected:"); }));
    // The join's result is read once more, to see that it holds every record.
    counting.back() += seconds([&] { molbench::sdRecordEnds(exported); });
  }
  std::string grown = runForOutput("grep -c '^[$][$][$][$]' " + molbench::quotedPath(exported));
  if (std::stol("0" + grown) != molecules + 1)
    std::printf("the export holds %s records, expected %d\n", grown.c_str(), molecules + 1);
  double b = median(bare), o = median(ours), c = median(check), n = median(counting);
  std::printf(
      "Export of one row into %d molecules: bare copy and join %.3f s  exportSelected %.3f s  "
      "ratio %.3f, of which the check that obabel reads the export file whole %.3f s (one "
      "obabel read, once an export: ratio without it %.3f); the pane's own reading of the export "
      "file and of the file the join wrote %.1f ms\n",
      molecules, b, o, o / b, c, (o - c) / b, n * 1e3);
}

#ifdef MOLBENCH_BENCH_QT
// The pane once more, its array controller now the real Qt one behind a QTableView.
void benchQtTable(molbench::headless::Harness& h, molbench::ViewerController& pane,
                  std::vector<molbench::platform::Row> rows) {
  size_t count = rows.size();
  QTableView table;
  table.resize(900, 600);
  auto controller = std::make_shared<molbench::qt::QtArrayController>();
  controller->bind(&table, {"molNumber", "molName", "tag", "filePath"});
  molbench::qt::QtTableView adapter(&table);
  table.show();
  QCoreApplication::processEvents();
  pane.connectOutlet("chemdataArraycontroller", controller);

  double add = seconds([&] { controller->addObjects(std::move(rows)); });
  double filter = seconds([&] { h.press(pane, "smartsFilter:"); });
  size_t shown = controller->arrangedCount();
  double undo = seconds([&] { h.press(pane, "undoFilter:"); });
  double selectAll = seconds([&] { table.selectAll(); });
  size_t selected = 0;
  double counting = seconds([&] { selected = adapter.numberOfSelectedRows(); });
  int middle = static_cast<int>(count / 2);
  double click = seconds([&] {
    table.selectionModel()->select(table.model()->index(middle, 0),
                                   QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    if (adapter.numberOfSelectedRows() != 1 || !controller->arrangedObjectAt(middle)) selected = 0;
  });
  double scroll = seconds([&] {
    table.scrollToBottom();
    table.viewport()->repaint();
  });
  std::printf(
      "Qt table, %zu rows: add %.1f ms; smartsFilter %.1f ms (%zu shown, listing included); "
      "undoFilter %.1f ms; select all %.1f ms, counted (%zu) in %.3f ms; select one row and read "
      "it %.3f ms; scroll to the end and paint %.1f ms\n",
      count, add * 1e3, filter * 1e3, shown, undo * 1e3, selectAll * 1e3, selected, counting * 1e3,
      click * 1e3, scroll * 1e3);
}
#endif

}  // namespace

int main(int argc, char** argv) {
  bool small = argc > 1 && std::strcmp(argv[1], "--small") == 0;
  int copies = small ? 2 : 274;
  // obabel's summary lines would drown the figures.
  int quiet = ::open("/dev/null", O_WRONLY);
  ::dup2(quiet, STDERR_FILENO);
#ifdef MOLBENCH_BENCH_QT
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
#endif

  molbench::headless::Harness h;
  std::string folder = h.temporaryDirectory();
  std::string input = repeatInto(folder + "/large.sdf", readAll(kSource), copies);
  int molecules = copies * kSourceMolecules;
  h.defaults().set("pathToobabel", kObabel);
  auto& pane = h.make<molbench::ViewerController>("ViewerController");
  auto& controller = h.arrayController(pane, "chemdataArraycontroller");
  h.field(pane, "inputFilepath").setText(input);

  // Alternate the two so that drift of the machine affects both alike.
  std::vector<double> bare, ours;
  long rowsKiB = 0;
  for (int round = 0; round < (small ? 3 : 1); ++round) {
    bare.push_back(seconds([&] {
      runBare({kObabel, input, "-onul", "-v", "FFFFF"});
      runBare({kObabel, input, "-osmi", "-xt"});
    }));
    h.press(pane, "deleteAll:");
    long before = residentKiB();
    ours.push_back(seconds([&] { h.press(pane, "importData:"); }));
    // Later rounds reuse the memory the first one freed.
    if (round == 0) rowsKiB = residentKiB() - before;
  }
  if (controller.arrangedCount() != static_cast<size_t>(molecules))
    std::printf("import made %zu rows, expected %d\n", controller.arrangedCount(), molecules);
  double b = median(bare), o = median(ours);
  std::printf(
      "Import of %d molecules: bare obabel runs %.3f s  importData %.3f s  ratio %.3f (target "
      "<= 1.05); memory grown by the import %.1f MiB (%.0f bytes a row)\n",
      molecules, b, o, o / b, rowsKiB / 1024.0, rowsKiB * 1024.0 / molecules);

  benchExport(h, pane, input, molecules, small ? 3 : 1);

  // The listing obabel gives for the large file is the small file's, repeated, each copy's
  // ordinals counted on from the last; a stand-in prints it in place of obabel, and hands the
  // pattern check to the real obabel.
  std::string single = runForOutput(std::string(kObabel) + " " + kSource + " -osmi -xt -s " +
                                    kFilterSmarts + " --addinindex 2>/dev/null");
  std::string listing = folder + "/listing.txt";
  writeCopiesWithOrdinals(listing, single, copies, kSourceMolecules);
  std::string standIn = folder + "/print-listing";
  std::ofstream(standIn) << "#!/bin/sh\ncase \"$1\" in -:C) exec " << kObabel
                         << " \"$@\";; esac\nexec cat " << molbench::quotedPath(listing) << "\n";
  ::chmod(standIn.c_str(), 0755);
  h.defaults().set("pathToobabel", standIn);
  h.field(pane, "smartsString").setText(kFilterSmarts);
  std::vector<double> filterRuns, standInRuns, checkRuns;
  size_t shown = 0;
  for (int round = 0; round < 5; ++round) {
    standInRuns.push_back(seconds([&] { runForOutput(molbench::quotedPath(standIn)); }));
    checkRuns.push_back(
        seconds([&] { runForOutput(molbench::smartsCheckCommand(standIn, kFilterSmarts)); }));
    filterRuns.push_back(seconds([&] {
      h.press(pane, "smartsFilter:");
      shown = controller.arrangedCount();
    }));
  }
  double f = median(filterRuns), s0 = median(standInRuns), c = median(checkRuns);
  std::printf(
      "SMARTS filter of %d rows (%zu shown): smartsFilter %.1f ms, of which printing the listing "
      "%.1f ms and obabel's pattern check %.1f ms; the pane's own work %.1f ms (target < 100 "
      "ms)\n",
      molecules, shown, f * 1e3, s0 * 1e3, c * 1e3, std::max(0.0, f - s0 - c) * 1e3);

#ifdef MOLBENCH_BENCH_QT
  benchQtTable(h, pane, controller.content());
#endif
  return 0;
}
