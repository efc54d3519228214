// The export keeps every file it did not write, with the real obabel.
#include <gmock/gmock.h>

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

}  // namespace
}  // namespace molbench::testing
