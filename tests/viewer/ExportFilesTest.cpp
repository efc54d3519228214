// The export keeps every file it did not write, with the real obabel.
#include <gmock/gmock.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/statvfs.h>

#include <filesystem>
#include <functional>
#include <regex>

#include "ViewerFixture.h"
#include "common/KeptCopy.h"
#include "viewer/ExportFiles.h"
#include "viewer/ExportJoin.h"

namespace molbench::testing {
namespace {

using ::testing::HasSubstr;
namespace fs = std::filesystem;

const char* kNci200 = "/usr/share/RDKit/Data/NCI/first_200.props.sdf";

// Runs when the test ends, whatever happened: a locked folder would outlive it.
struct AtEnd {
  std::string command;
  ~AtEnd() { runForOutput(command + " 2>/dev/null"); }
};

ino_t inodeOf(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 ? info.st_ino : 0;
}

// What a file carries besides its bytes: which file it is, its other names, mode, owner and
// group, ACL and extended attributes.
std::string carried(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return "no file";
  return std::to_string(info.st_ino) + " " + std::to_string(info.st_nlink) + " " +
         std::to_string(info.st_mode) + " " + std::to_string(info.st_uid) + ":" +
         std::to_string(info.st_gid) + "\n" +
         runForOutput("getfacl -cp " + quotedPath(path) +
                      " 2>&1; getfattr --absolute-names -d -m - " + quotedPath(path) + " 2>&1");
}

class ExportFilesTest : public ViewerTest {
 protected:
  // The copies of old records a join kept, in this folder and in the temporary folder.
  std::string keptCopies(const std::string& folder) {
    return runForOutput("ls -d " + quotedPath(folder) + "/kept-* " + quotedPath(temp()) +
                        "/kept-* 2>&-");
  }
  void exportTwoRows() {
    import(input);
    h.table(pane, "tableView").setSelectedRowIndexes({0, 2});
    h.press(pane, "exportSelected:");
  }
  std::string nciRecords(int count) {
    obabelCount({kNci200, "-l", std::to_string(count), "-O", scratch("nci.sdf")});
    return readFile(scratch("nci.sdf"));
  }

  std::string input = sdFrom(scratch("ligands.sdf"), "CCO ethanol\nCCN amine\nc1ccccc1 benzene\n");
  std::string temporary = scratch("ligandstemp.sdf");
  std::string exported = scratch("ligandsexport.sdf");
};

// Each row is copied through the scratch path with obabel's -O: only the one molecule an
// earlier export left there may be written over.
TEST_F(ExportFilesTest, TheScratchPathIsWrittenOverOnlyWhereAnExportLeftIt) {
  for (const std::string& bytes : {readFile(kNci200), std::string("CCO ethanol\n")}) {
    SCOPED_TRACE(std::to_string(bytes.size()) + " bytes");
    writeFile(temporary, bytes);
    size_t alerts = h.alerts().size();
    exportTwoRows();
    EXPECT_TRUE(readFile(temporary) == bytes) << "the file was written over";
    ASSERT_EQ(h.alerts().size(), alerts + 1);
    EXPECT_THAT(h.alerts().back().informativeText, HasSubstr("\"" + temporary + "\""));
    EXPECT_FALSE(fileExists(exported));
  }
  writeFile(temporary, nciRecords(1));
  exportTwoRows();
  EXPECT_EQ(h.alerts().size(), 2u);
  EXPECT_THAT(obabelTitles(exported), ::testing::UnorderedElementsAre("ethanol", "benzene"));
}

// A join keeps only the molecules obabel reads of the export file, which stops at a damaged one.
TEST_F(ExportFilesTest, OnlyAnExportFileObabelReadsWholeTakesAJoin) {
  std::string damaged = nciRecords(5), returns;
  for (char c : damaged) returns += c == '\n' ? std::string("\r\n") : std::string(1, c);
  size_t atom = damaged.find("$$$$\n") + 5;
  for (int line = 0; line < 4; ++line) atom = damaged.find('\n', atom) + 1;
  damaged.replace(atom, damaged.find('\n', atom) - atom, "garbage in the atom block");
  writeFile(exported, damaged);
  exportTwoRows();
  EXPECT_TRUE(readFile(exported) == damaged) << "the file was written over";
  ASSERT_EQ(h.alerts().size(), 1u);
  EXPECT_THAT(h.alerts()[0].informativeText,
              ::testing::AllOf(HasSubstr("\"" + exported + "\""),
                               HasSubstr("obabel reads 1 of the 5 records")));
  // Windows line ends still end each record at "$$$$".
  writeFile(exported, returns);
  exportTwoRows();
  EXPECT_EQ(h.alerts().size(), 1u);
  EXPECT_EQ(obabelCount({exported, "-osmi"}), 7);
}

// The export file takes a join when obabel reads all its records: "$$$$ amine" is a title, and
// old Mac line ends are one line of five records.
TEST_F(ExportFilesTest, AJoinCountsTheRecordsAsObabelReadsThem) {
  import(sdFrom(scratch("dollar.sdf"), "CCO ethanol\nCCC propane\nCCN $$$$ amine\n"));
  for (int round = 0; round < 2; ++round) {
    h.table(pane, "tableView").setSelectedRowIndexes({1, 2});
    h.press(pane, "exportSelected:");
  }
  EXPECT_EQ(obabelCount({scratch("dollarexport.sdf"), "-onul"}), 4);
  h.press(pane, "deleteAll:");
  writeFile(exported, std::regex_replace(nciRecords(5), std::regex("\n"), "\r"));
  exportTwoRows();
  EXPECT_EQ(obabelCount({exported, "-onul"}), 7);
  EXPECT_EQ(h.alerts().size(), 0u);
}

// A file at the export path that is not SD text is no export file: obabel reads it as one empty
// molecule, and a join would write that in place of its lines. Empty and SD files take joins.
TEST_F(ExportFilesTest, OnlySdTextTakesAJoin) {
  std::string sd = nciRecords(2);
  std::string v3000 = (obabelCount({kNci200, "-l", "2", "-x3", "-O", scratch("v3.sdf")}),
                       readFile(scratch("v3.sdf")));
  // What the file holds, and the record the alert names ("" where a join may go on).
  const std::pair<std::string, std::string> cases[] = {
      {"CCO ethanol\nCCN amine\nc1ccccc1 benzene\nCCCC butane\nCCCl chloro\n", "it does"},
      {readFile("/usr/bin/obabel").substr(0, 3000), "it does"},
      {std::string("x\0\0\0\n", 5), "it does"},
      {sd + "CCO ethanol\nCCN amine\nc1ccccc1 benzene\nCCCC butane\n", "its record 3 does"},
      {"", ""},
      {sd, ""},
      {v3000, ""},
      {std::regex_replace(sd, std::regex("\n"), "\r\n"), ""}};
  for (const auto& [bytes, says] : cases) {
    SCOPED_TRACE(bytes.substr(0, 40));
    writeFile(exported, bytes);
    size_t alerts = h.alerts().size();
    exportTwoRows();
    if (says.empty()) {
      EXPECT_EQ(h.alerts().size(), alerts);
      EXPECT_EQ(obabelCount({exported, "-onul"}),
                obabelCount({scratch("nci.sdf"), "-onul"}) * (bytes.empty() ? 0 : 1) + 2);
      continue;
    }
    ASSERT_EQ(h.alerts().size(), alerts + 1);
    EXPECT_THAT(h.alerts().back().informativeText,
                ::testing::AllOf(HasSubstr("\"" + exported + "\" is not SD text: " + says),
                                 HasSubstr("left as it is")));
    EXPECT_TRUE(readFile(exported) == bytes) << "the file was written over";
  }
}

// A join is whole when the export file holds one record more than it held before, counted as
// the copy of its old records holds them; else the old records go back and the alert counts
// what they are. Here the file lost a record since it was counted, or gained one.
TEST_F(ExportFilesTest, AJoinIsWholeOnlyWithOneRecordMore) {
  struct Case {
    int holds, counted;
  };
  for (const auto& [holds, counted] : {Case{3, 3}, Case{3, 4}, Case{3, 2}}) {
    SCOPED_TRACE(std::to_string(counted) + " counted");
    std::string old = nciRecords(holds);
    writeFile(exported, old);
    sdFrom(temporary, "CCO ethanol\n");
    ExportJoin join{kObabel, temporary, exported, temp(), counted};
    std::string command;
    size_t alerts = h.alerts().size();
    bool whole = joinedIntoExportFile(h, join, command);
    EXPECT_EQ(whole, holds == counted);
    EXPECT_EQ(join.records, whole ? counted + 1 : counted);
    if (whole) {
      EXPECT_EQ(obabelTitles(exported).front(), "ethanol");
      continue;
    }
    EXPECT_TRUE(readFile(exported) == old) << "the old records are not back";
    ASSERT_EQ(h.alerts().size(), alerts + 1);
    EXPECT_THAT(h.alerts().back().informativeText,
                ::testing::AllOf(HasSubstr("wrote 4 of the " + std::to_string(counted + 1)),
                                 HasSubstr("its 3 molecules back")));
  }
  EXPECT_EQ(keptCopies(temp()), "");
}

// A join that cannot finish leaves the export file as it was, and says why.
TEST_F(ExportFilesTest, AJoinThatCannotFinishLeavesTheExportFileAsItWas) {
  std::string disk = scratch("disk"), full = disk + "/setexport.sdf";
  std::filesystem::create_directory(disk);
  // As root: a tmpfs with room for the export file and one scratch molecule, not two copies.
  bool mounted = ::mount("tmpfs", disk.c_str(), "tmpfs", 0, "size=256k") == 0;
  // A molecule of several pages, as obabel writes it.
  std::string chain = std::string(400, 'C') + " chain\n";
  long chainBytes = static_cast<long>(readFile(sdFrom(scratch("chain.sdf"), chain)).size());
  // 60 molecules exported there (none with `second` given), with this many pages left once the
  // scratch file takes one (-1: as many as the export file takes).
  auto onFullDisk = [&](long pagesLeft, const std::string& second = "c1ccccc1 benzene\n") {
    for (const auto& file : std::filesystem::directory_iterator(disk))
      std::filesystem::remove(file);
    if (second != chain) obabelCount({kNci200, "-l", "60", "-O", full});
    std::string set = sdFrom(disk + "/set.sdf", "CCO ethanol\n" + second);
    struct statvfs fs {};
    ::statvfs(disk.c_str(), &fs);
    long page = static_cast<long>(fs.f_frsize);
    if (pagesLeft < 0) pagesLeft = (std::filesystem::file_size(full) + page - 1) / page;
    writeFile(disk + "/filler", std::string((long(fs.f_bavail) - 1 - pagesLeft) * page, 'x'));
    return set;
  };
  // What the alert says, and how the export and its files are made.
  const std::pair<std::string, std::function<std::string()>> cases[] = {
      // The scratch copy's name is past 255 bytes.
      {"Cannot write to",
       [&] { return sdFrom(scratch(std::string(248, 'n') + ".sdf"), "C a\nN b\n"); }},
      // No room for a copy of the export file beside it: it waits in the temporary folder.
      {"is full", [&] { return onFullDisk(0); }},
      {"is full", [&] { return onFullDisk(-1); }},  // room for the copy, not for the join
      // The first join, into no file, is cut short: what it wrote goes.
      {"is full", [&] { return onFullDisk((chainBytes + 4095) / 4096 + 1, chain); }}};
  for (const auto& [says, prepare] : cases) {
    if (says == "is full" && !mounted) continue;
    h.press(pane, "deleteAll:");
    std::string from = prepare(), exportFile = from.substr(0, from.size() - 4) + "export.sdf";
    std::string before = readFile(exportFile);
    bool existed = fileExists(exportFile);
    auto inode = existed ? inodeOf(exportFile) : 0;
    size_t alerts = h.alerts().size();
    import(from);
    h.table(pane, "tableView").setSelectedRowIndexes({1});
    h.press(pane, "exportSelected:");
    EXPECT_EQ(h.alerts().size(), alerts + 1) << says;
    EXPECT_THAT(h.alerts().empty() ? "" : h.alerts().back().informativeText, HasSubstr(says));
    EXPECT_TRUE(readFile(exportFile) == before) << says << ": the export file was changed";
    EXPECT_TRUE(inode == 0 || inodeOf(exportFile) == inode) << says << ": not the same file";
    EXPECT_EQ(fileExists(exportFile), existed) << says;
    EXPECT_EQ(keptCopies(disk), "") << says;
  }
  ::umount2(disk.c_str(), MNT_DETACH);
  if (!mounted) GTEST_SKIP() << "no tmpfs could be mounted (not root?): the full disk is untested";
}

// The join writes the export file itself, as bare obabel does, so it stays the same file with
// all it carries; a folder that takes no new file keeps the old records in the temporary
// folder. Only a file obabel cannot write is refused, as read-only, and left as it is.
TEST_F(ExportFilesTest, TheExportFileStaysTheSameFileWithAllItCarries) {
  AtEnd unlock{"chattr -R -i " + quotedPath(temp())};
  auto ok = [](const std::string& command) { return runForOutput(command + " && echo ok"); };
  // How each case makes the export file (or its folder) what it is, and what the alert says
  // ("" where the export is no obstacle).
  const std::pair<std::string, std::string> cases[] = {
      {"ln @E @E.other", ""},
      {"setfacl -m u:nobody:rw @E", ""},
      {"setfattr -n user.origin -v lab @E", ""},
      {"chown nobody:nogroup @E && chmod 664 @E", ""},
      {"chattr +i @D", ""},
      {"mkdir @D/elsewhere && mv @E @D/elsewhere/x.sdf && ln -s @D/elsewhere/x.sdf @E", ""},
      {"chattr +i @E", "is read-only"}};
  int number = 0;
  for (const auto& [make, says] : cases) {
    SCOPED_TRACE(make);
    std::string folder = scratch("case" + std::to_string(++number));
    fs::create_directories(folder);
    h.press(pane, "deleteAll:");
    import(sdFrom(folder + "/set.sdf", "CCO ethanol\nc1ccccc1 benzene\n"));
    // An earlier export left the scratch file: no new file is needed there either.
    sdFrom(folder + "/settemp.sdf", "C methane\n");
    std::string exportFile = folder + "/setexport.sdf";
    writeFile(exportFile, nciRecords(2));
    std::string command = std::regex_replace(make, std::regex("@E"), quotedPath(exportFile));
    ASSERT_EQ(ok(std::regex_replace(command, std::regex("@D"), quotedPath(folder))), "ok\n");
    std::string before = carried(exportFile), bytes = readFile(exportFile);
    size_t alerts = h.alerts().size();
    h.table(pane, "tableView").setSelectedRowIndexes({1});
    h.press(pane, "exportSelected:");
    ASSERT_EQ(h.alerts().size(), alerts + (says.empty() ? 0 : 1));
    if (!says.empty()) {
      EXPECT_THAT(h.alerts().back().informativeText, HasSubstr(says));
      EXPECT_TRUE(readFile(exportFile) == bytes) << "the export file was changed";
    } else {
      EXPECT_EQ(obabelTitles(exportFile).front(), "benzene");
      EXPECT_EQ(obabelCount({exportFile, "-onul"}), 3);
    }
    EXPECT_EQ(carried(exportFile), before);
    EXPECT_TRUE(fs::is_symlink(exportFile) == (make.find("ln -s") != std::string::npos));
    EXPECT_EQ(keptCopies(folder), "");
  }
}

// A join stopped with Molbench (killed) leaves the export file as obabel had got it, and the old
// records in their copy. The next export names that copy, with what each file holds, and
// waits for the user; once the copy is put back and gone, exports go on.
TEST_F(ExportFilesTest, ACopyThatAStoppedJoinKeptIsNamedByTheNextExport) {
  std::string old = nciRecords(3);
  writeFile(exported, old);
  std::string copy;
  {
    KeptCopy stopped(exported, temp(), kExportCopyName);
    ASSERT_FALSE(stopped.keep());  // never discarded: gone without a word, as if killed
    copy = runForOutput("ls " + quotedPath(temp()) + "/kept-*");
    ASSERT_NE(copy, "");
    copy.pop_back();
  }
  std::string cut = old.substr(0, old.find("$$$$\n") + 5);  // obabel was writing it anew
  writeFile(exported, cut);
  exportTwoRows();
  ASSERT_EQ(h.alerts().size(), 1u);
  EXPECT_EQ(h.alerts()[0].messageText, kUnfinishedExportTitle);
  EXPECT_THAT(h.alerts()[0].informativeText,
              ::testing::AllOf(HasSubstr("\"" + copy + "\" (3 molecules)"),
                               HasSubstr("the export file now holds 1 molecule.")));
  EXPECT_EQ(readFile(exported), cut);
  fs::copy_file(copy, exported, fs::copy_options::overwrite_existing);
  fs::remove(copy);
  exportTwoRows();
  EXPECT_EQ(h.alerts().size(), 1u);
  EXPECT_EQ(obabelCount({exported, "-onul"}), 5);
}

// A copy kept in the temporary folder names its file by device and inode: a file with the same
// inode on another file system is none of its business. An older Molbench's copy named by the
// inode alone is still named beside its file.
TEST_F(ExportFilesTest, AKeptCopyNamesItsFileForCertain) {
  std::string disks[] = {scratch("one"), scratch("other")}, exports[2];
  AtEnd unmount{"chattr -i " + quotedPath(disks[0]) + "/x; umount -l " + quotedPath(disks[0]) +
                "; umount -l " + quotedPath(disks[1])};
  for (int which = 0; which < 2; ++which) {
    fs::create_directory(disks[which]);
    // Two new tmpfs number their files alike.
    if (::mount("tmpfs", disks[which].c_str(), "tmpfs", 0, "size=1m") != 0)
      GTEST_SKIP() << "no tmpfs could be mounted (not root?)";
    fs::create_directory(disks[which] + "/x");
    sdFrom(disks[which] + "/x/set.sdf", "CCO ethanol\nc1ccccc1 benzene\n");
    exports[which] = disks[which] + "/x/setexport.sdf";
    writeFile(exports[which], nciRecords(2));
  }
  ASSERT_EQ(inodeOf(exports[0]), inodeOf(exports[1]));
  // The first one's folder takes no new file: its copy goes into the temporary folder.
  ASSERT_EQ(runForOutput("chattr +i " + quotedPath(disks[0]) + "/x && echo ok"), "ok\n");
  ASSERT_FALSE(KeptCopy(exports[0], temp(), kExportCopyName).keep());  // as if killed
  runForOutput("chattr -i " + quotedPath(disks[0]) + "/x");
  std::string older =
      disks[1] + "/x/kept-export-" + std::to_string(inodeOf(exports[1])) + "-Xy12Zq.sdf";
  for (const std::string& which : {exports[1], older, exports[0]}) {
    SCOPED_TRACE(which);
    if (which == older) writeFile(older, nciRecords(2));
    h.press(pane, "deleteAll:");
    std::string exportFile = which == older ? exports[1] : which;
    import(exportFile.substr(0, exportFile.size() - 10) + ".sdf");
    h.table(pane, "tableView").setSelectedRowIndexes({1});
    size_t alerts = h.alerts().size();
    h.press(pane, "exportSelected:");
    if (which == exports[1]) {
      EXPECT_EQ(h.alerts().size(), alerts);
      EXPECT_EQ(obabelCount({exportFile, "-onul"}), 3);
      continue;
    }
    ASSERT_EQ(h.alerts().size(), alerts + 1);
    EXPECT_EQ(h.alerts().back().messageText, kUnfinishedExportTitle);
    EXPECT_THAT(h.alerts().back().informativeText,
                HasSubstr(which == older ? older : temp() + "/kept-export-"));
  }
}

}  // namespace
}  // namespace molbench::testing
