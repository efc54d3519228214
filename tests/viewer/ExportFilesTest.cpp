// The export keeps every file it did not write, with the real obabel.
#include <gmock/gmock.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <memory>

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

// The join writes the export file anew and puts it in place only when it holds every record;
// obabel's record ends are counted as obabel reads them; a copy obabel could not write stops
// the export. Each case exports rows of its input and says what the export file then holds.
TEST_F(ExportFilesTest, EachJoinKeepsEveryRecordOrLeavesTheFileAsItWas) {
  struct Case {
    std::string what;
    struct {
      std::vector<int> rows;
      int exports;
      std::string alertSays;  // nothing: no alert
      int recordsAfter;       // obabel's count of the export file after, or -1 for none
    } expect;
    std::function<std::string()> prepare;  // sets up the input and its export file
  };
  std::string folder = scratch("disk");
  std::filesystem::create_directory(folder);
  // As root: a tmpfs with room for the export file and one scratch molecule, not two copies.
  bool mounted = ::mount("tmpfs", folder.c_str(), "tmpfs", 0, "size=256k") == 0;
  std::unique_ptr<const char, void (*)(const char*)> unmount(
      mounted ? folder.c_str() : nullptr, [](const char* dir) { ::umount2(dir, MNT_DETACH); });
  // The set and its export file of 60 molecules on that disk, with this many pages left once
  // the scratch file takes one (-1: as many as the export file takes).
  auto onFullDisk = [&](long pagesLeft) {
    for (const auto& file : std::filesystem::directory_iterator(folder))
      std::filesystem::remove(file);
    std::string exportFile = folder + "/setexport.sdf";
    obabelCount({kNci200, "-l", "60", "-O", exportFile});
    std::string set = sdFrom(folder + "/set.sdf", "CCO ethanol\nc1ccccc1 benzene\n");
    struct statvfs disk {};
    ::statvfs(folder.c_str(), &disk);
    long page = static_cast<long>(disk.f_frsize);
    if (pagesLeft < 0) pagesLeft = (std::filesystem::file_size(exportFile) + page - 1) / page;
    long filler = (static_cast<long>(disk.f_bavail) - 1 - pagesLeft) * page;
    writeFile(folder + "/filler", std::string(std::max(0L, filler), 'x'));
    return set;
  };
  const Case cases[] = {
      {"a title beginning with $$$$, exported twice",
       {{1, 2}, 2, "", 4},
       [&] { return sdFrom(scratch("dollar.sdf"), "CCO ethanol\nCCC propane\nCCN $$$$ amine\n"); }},
      {"old Mac line ends, a mode and an owner of its own",
       {{0, 2}, 1, "", 7},
       [&] {
         std::string records = nciRecords(5);
         std::replace(records.begin(), records.end(), '\n', '\r');
         writeFile(exported, records);
         ::chmod(exported.c_str(), 0640);
         // Root can give it to anyone; another user keeps it as it is.
         if (::geteuid() == 0 && ::chown(exported.c_str(), 4321, 4322) != 0) ADD_FAILURE();
         return input;
       }},
      {"an export file with another name (a hard link)",
       {{0}, 1, "other name", 2},
       [&] {
         writeFile(exported, nciRecords(2));
         std::filesystem::create_hard_link(exported, scratch("other name.sdf"));
         return input;
       }},
      {"an export file reached through a link",
       {{0}, 1, "", 3},
       [&] {
         writeFile(scratch("linked.sdf"), nciRecords(2));
         std::filesystem::create_symlink(scratch("linked.sdf"), exported);
         return input;
       }},
      {"a full disk, with no room for a copy of the export file",
       {{1}, 1, "is full", 60},
       [&] { return onFullDisk(0); }},
      {"a full disk, with room for a copy of the export file but not for the join",
       {{1}, 1, "is full", 60},
       [&] { return onFullDisk(-1); }},
      {"a scratch copy obabel cannot write (a name past 255 bytes)",
       {{0}, 1, "Cannot write to", -1},
       [&] { return sdFrom(scratch(std::string(248, 'n') + ".sdf"), "CCO ethanol\n"); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    bool fullDisk = c.what.starts_with("a full disk");
    if (fullDisk && !mounted) continue;
    h.press(pane, "deleteAll:");
    std::filesystem::remove(exported);
    std::string from = c.prepare();
    std::string exportFile = from.substr(0, from.size() - 4) + "export.sdf";
    std::string before = fileExists(exportFile) ? readFile(exportFile) : "";
    struct stat old {};
    bool existed = ::stat(exportFile.c_str(), &old) == 0;
    size_t alerts = h.alerts().size();
    import(from);
    for (int round = 0; round < c.expect.exports; ++round) {
      h.table(pane, "tableView").setSelectedRowIndexes(c.expect.rows);
      h.press(pane, "exportSelected:");
    }
    std::string last = h.alerts().size() > alerts ? h.alerts().back().informativeText : "";
    EXPECT_EQ(h.alerts().size(), alerts + (c.expect.alertSays.empty() ? 0 : 1)) << last;
    EXPECT_THAT(last, HasSubstr(c.expect.alertSays));
    if (c.expect.recordsAfter >= 0) {
      EXPECT_EQ(obabelCount({exportFile, "-onul"}), c.expect.recordsAfter);
    }
    struct stat now {};
    if (existed && ::stat(exportFile.c_str(), &now) == 0) {
      EXPECT_EQ(now.st_mode, old.st_mode);
      EXPECT_EQ(now.st_uid, old.st_uid);
      EXPECT_EQ(now.st_gid, old.st_gid);
    }
    if (c.what == "an export file reached through a link") {
      EXPECT_TRUE(std::filesystem::is_symlink(exported)) << "the link was written over";
    }
    if (fullDisk) {
      EXPECT_TRUE(readFile(exportFile) == before) << "the export file was cut";
      EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 4)
          << "a file was left beside the export file";
    }
  }
  if (!mounted) GTEST_SKIP() << "no tmpfs could be mounted (not root?): the full disk is untested";
}

}  // namespace
}  // namespace molbench::testing
