// The export keeps every file it did not write, with the real obabel.
#include <gmock/gmock.h>
#include <sys/mount.h>
#include <sys/statvfs.h>

#include <filesystem>
#include <functional>
#include <regex>

#include "ViewerFixture.h"

namespace molbench::testing {
namespace {

using ::testing::HasSubstr;

const char* kNci200 = "/usr/share/RDKit/Data/NCI/first_200.props.sdf";

class ExportFilesTest : public ViewerTest {
 protected:
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

// A join that cannot finish leaves the export file as it was, and says why.
TEST_F(ExportFilesTest, AJoinThatCannotFinishLeavesTheExportFileAsItWas) {
  std::string disk = scratch("disk"), full = disk + "/setexport.sdf";
  std::filesystem::create_directory(disk);
  // As root: a tmpfs with room for the export file and one scratch molecule, not two copies.
  bool mounted = ::mount("tmpfs", disk.c_str(), "tmpfs", 0, "size=256k") == 0;
  // 60 molecules exported there, with this many pages left once the scratch file takes one
  // (-1: as many as the export file takes).
  auto onFullDisk = [&](long pagesLeft) {
    for (const auto& file : std::filesystem::directory_iterator(disk))
      std::filesystem::remove(file);
    obabelCount({kNci200, "-l", "60", "-O", full});
    std::string set = sdFrom(disk + "/set.sdf", "CCO ethanol\nc1ccccc1 benzene\n");
    struct statvfs fs {};
    ::statvfs(disk.c_str(), &fs);
    long page = static_cast<long>(fs.f_frsize);
    if (pagesLeft < 0) pagesLeft = (std::filesystem::file_size(full) + page - 1) / page;
    writeFile(disk + "/filler", std::string((long(fs.f_bavail) - 1 - pagesLeft) * page, 'x'));
    return set;
  };
  auto hardLinked = [&] {
    writeFile(exported, nciRecords(2));
    std::filesystem::create_hard_link(exported, scratch("other name.sdf"));
    return input;
  };
  // What the alert says, and how the export and its files are made.
  const std::pair<std::string, std::function<std::string()>> cases[] = {
      {"other name", hardLinked},
      // The scratch copy's name is past 255 bytes.
      {"Cannot write to",
       [&] { return sdFrom(scratch(std::string(248, 'n') + ".sdf"), "C a\nN b\n"); }},
      {"is full", [&] { return onFullDisk(0); }},    // no room for a copy of the export file
      {"is full", [&] { return onFullDisk(-1); }}};  // room for the copy, not for the join
  for (const auto& [says, prepare] : cases) {
    if (says == "is full" && !mounted) continue;
    h.press(pane, "deleteAll:");
    std::string from = prepare(), exportFile = from.substr(0, from.size() - 4) + "export.sdf";
    std::string before = readFile(exportFile);
    size_t alerts = h.alerts().size();
    import(from);
    h.table(pane, "tableView").setSelectedRowIndexes({1});
    h.press(pane, "exportSelected:");
    EXPECT_EQ(h.alerts().size(), alerts + 1) << says;
    EXPECT_THAT(h.alerts().empty() ? "" : h.alerts().back().informativeText, HasSubstr(says));
    EXPECT_TRUE(readFile(exportFile) == before) << says << ": the export file was changed";
  }
  ::umount2(disk.c_str(), MNT_DETACH);
  if (!mounted) GTEST_SKIP() << "no tmpfs could be mounted (not root?): the full disk is untested";
}

}  // namespace
}  // namespace molbench::testing
