// The export keeps every file it did not write: a file of the user's at the scratch path, and
// an export file that obabel cannot read whole, with the real obabel.
#include <gmock/gmock.h>

#include <filesystem>

#include "ViewerFixture.h"

namespace molbench::testing {
namespace {

using ::testing::HasSubstr;

const char* kNci200 = "/usr/share/RDKit/Data/NCI/first_200.props.sdf";

class ExportFilesTest : public ViewerTest {
 protected:
  // Rows 0 and 2 of a three-molecule input, exported beside it.
  void exportTwoRows() {
    import(input);
    h.table(pane, "tableView").setSelectedRowIndexes({0, 2});
    h.press(pane, "exportSelected:");
  }
  // The first molecules of NCI's file as obabel writes them.
  std::string nciRecords(int count) {
    std::string path = scratch("nci.sdf");
    runForOutput("obabel " + quotedPath(kNci200) + " -l " + std::to_string(count) + " -O " +
                 quotedPath(path) + " 2>/dev/null");
    return readFile(path);
  }
  // The first NCI record, then the start of the second: a record with no end.
  std::string recordThenPart(size_t partLength) {
    std::string text = nciRecords(2);
    return text.substr(0, text.find("$$$$\n") + 5 + partLength);
  }
  // Five NCI records whose second has a line of its atom block replaced: obabel stops there.
  std::string fiveWithSecondDamaged() {
    std::string text = nciRecords(5);
    size_t atom = text.find("$$$$\n") + 5;
    for (int line = 0; line < 4; ++line) atom = text.find('\n', atom) + 1;
    return text.replace(atom, text.find('\n', atom) - atom, "garbage in the atom block");
  }
  // The canonical SMILES of the file's molecules: NCI's records have no titles.
  std::vector<std::string> canonical(const std::string& path) {
    return lines(runForOutput("obabel " + quotedPath(path) + " -ocan 2>/dev/null"));
  }
  // The file as it was, and one more alert, which names it.
  void expectKeptAndNamed(const std::string& path, const std::string& bytes, size_t alertsBefore,
                          const std::string& row) {
    EXPECT_TRUE(readFile(path) == bytes) << row << ": the file was written over";
    ASSERT_EQ(h.alerts().size(), alertsBefore + 1) << row;
    EXPECT_THAT(h.alerts().back().informativeText, HasSubstr("\"" + path + "\"")) << row;
  }

  std::string input = sdFrom(scratch("ligands.sdf"), "CCO ethanol\nCCN amine\nc1ccccc1 benzene\n");
  std::string temporary = scratch("ligandstemp.sdf");
  std::string exported = scratch("ligandsexport.sdf");
};

TEST_F(ExportFilesTest, AFileAtTheScratchPathThatNoExportLeftIsKept) {
  const std::pair<const char*, std::string> held[] = {
      {"200 molecules", readFile(kNci200)},
      {"SMILES text", "CCO ethanol\n"},
      {"a molecule, then one without its end", recordThenPart(300)},
  };
  for (const auto& [row, bytes] : held) {
    writeFile(temporary, bytes);
    size_t alerts = h.alerts().size();
    exportTwoRows();
    expectKeptAndNamed(temporary, bytes, alerts, row);
    EXPECT_FALSE(fileExists(exported)) << row << ": nothing ran";
  }
  // The user never chose that name: the alert says what to do with what is there.
  std::filesystem::remove(temporary);
  std::filesystem::create_directory(temporary);
  exportTwoRows();
  EXPECT_THAT(h.alerts().back().informativeText, HasSubstr("\"" + temporary + "\""));
  EXPECT_THAT(h.alerts().back().informativeText, HasSubstr("Rename or move it"));
  EXPECT_FALSE(fileExists(exported));
}

TEST_F(ExportFilesTest, AScratchFileAnExportLeftIsReusedWithoutAWord) {
  const std::pair<const char*, std::string> held[] = {
      {"the molecule an export copied", nciRecords(1)},
      {"an empty file", ""},
  };
  for (const auto& [row, bytes] : held) {
    writeFile(temporary, bytes);
    std::filesystem::remove(exported);
    exportTwoRows();
    EXPECT_TRUE(h.alerts().empty()) << row;
    EXPECT_THAT(obabelTitles(exported), ::testing::UnorderedElementsAre("ethanol", "benzene"))
        << row;
  }
}

TEST_F(ExportFilesTest, AnExportFileObabelCannotReadWholeIsKept) {
  const std::pair<const char*, std::string> held[] = {
      {"5 records, the second damaged", fiveWithSecondDamaged()},
      {"a record, then one cut short", recordThenPart(900)},
      {"SMILES text", "CCO ethanol\n"},
  };
  for (const auto& [row, bytes] : held) {
    writeFile(exported, bytes);
    size_t alerts = h.alerts().size();
    exportTwoRows();
    expectKeptAndNamed(exported, bytes, alerts, row);
  }
  EXPECT_THAT(h.diagnostics(), ::testing::Contains(HasSubstr("obabel reads 1 of the 5 records")));
}

// Each row's join reads the file the last one wrote: the export grows by one a row.
TEST_F(ExportFilesTest, AnExportFileObabelReadsWholeGrowsByTheSelectedRows) {
  std::string lineFeeds = nciRecords(5), returns;
  for (char c : lineFeeds) returns += c == '\n' ? std::string("\r\n") : std::string(1, c);
  const std::pair<const char*, std::string> held[] = {
      {"5 records as obabel writes them", lineFeeds},
      {"the same with Windows line ends", returns},
  };
  for (const auto& [row, bytes] : held) {
    writeFile(exported, bytes);
    writeFile(scratch("before.sdf"), bytes);
    exportTwoRows();
    EXPECT_TRUE(h.alerts().empty()) << row;
    auto now = canonical(exported);
    EXPECT_EQ(now.size(), 7u) << row;
    for (const auto& molecule : canonical(scratch("before.sdf")))
      EXPECT_THAT(now, ::testing::Contains(molecule)) << row;
  }
}

}  // namespace
}  // namespace molbench::testing
