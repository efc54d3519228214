// The SD data-field listing, on real SD files and on damaged ones.
#include <gmock/gmock.h>

#include <algorithm>
#include <filesystem>

#include "ConvertFixture.h"
#include "common/ShellQuote.h"

namespace molbench::testing {
namespace {

class TagListing : public ConvertPaneTest {
 protected:
  std::string listed(const std::string& path) {
    setText("inputFilepath", path);
    setText("obabelText", "old text");
    h.press(pane, "listTags:");
    return commandField();
  }
  // The names obabel reads, as the listing gives them: obabel writes each back as ">  <name>".
  std::string obabelNames(const std::string& path) {
    std::string names = runForOutput(std::string(kObabel) + " " + quotedPath(path) +
                                     " -osdf 2>/dev/null | grep -a '^>  <' | cut -c5- | "
                                     "sed 's/>$//' | LC_ALL=C sort -u");
    if (!names.empty()) names.pop_back();
    return names;
  }
};

// An SD record of one carbon atom with the given data block and header lines.
std::string record(const std::string& dataBlock, const std::string& head = "t\n OB\n\n") {
  return head + "  1  0  0  0  0  0  0  0  0  0999 V2000\n" +
         "    0.0000    0.0000    0.0000 C   0  0  0  0  0  0  0  0  0  0  0  0\nM  END\n" +
         dataBlock + "$$$$\n";
}

TEST_F(TagListing, RealFilesListWhatObabelReads) {
  for (std::string path : {"/usr/share/RDKit/Contrib/Fastcluster/testdata/cdk2.sdf",  // "> <"
                           "/usr/share/RDKit/Data/NCI/first_200.props.sdf"}) {  // ">  <AMW>  (1)"
    std::string names = listed(path);
    EXPECT_EQ(names, obabelNames(path)) << path;
    EXPECT_EQ(std::count(names.begin(), names.end(), '\n'), path.ends_with("cdk2.sdf") ? 9 : 18);
  }
}

TEST_F(TagListing, OddHeadersAndRecordsGiveTheNamesObabelReads) {
  const std::pair<std::string, std::string> files[] = {
      {record(
           "> 25 <MELTING.POINT>\n1\n\n> (7) <BOILING>\n2\n\n>   <three>\n3\n\n> DT12 <dt>\n1\n\n"
           "<bare>\n2\n\nx> <x>\n3\n\n"),
       "BOILING\nMELTING.POINT\nbare\ndt\nthree\nx"},
      {record(
           "> <N<ame>> (12)\n1\n\n> <a> <b>\n2\n\n> < pad name >\n3\n\n> <>\n1\n\n> <open  \n2\n\n"
           "> <\n3\n\n"),
       "\n pad name \nN<ame>\na> <b\nopen  "},
      {record(">  <crlf>  (3)\r\n1\r\n \t\r\n> <after>\n2\n\n"), "after\ncrlf"},
      // A value runs to a blank line: a header, "$$$$" and the next record's title in it are
      // part of the value, and what follows the blank line belongs to the same data block.
      {record("> <a>\nline\n> <in value>\n\n> <b>\n1\n") + record("> <c>\n2\n\n", "> <t>\nx\n\n"),
       "a\nb\nc"},
      // Header lines and the connection table hold no fields; a record without "M  END" has
      // no data block.
      {record("> <d>\n1\n\n", "> <t>\n> <u>\n> <v>\n") +
           "t\n\n\n  0  0  0  0  0  0  0  0  0  0999 V2000\n> <no>\n$$$$\n",
       "d"},
  };
  for (const auto& [text, names] : files) {
    writeFile(scratch("odd.sdf"), text);
    EXPECT_EQ(obabelNames(scratch("odd.sdf")), names) << text;
    EXPECT_EQ(listed(scratch("odd.sdf")), names) << text;
  }
}

TEST_F(TagListing, DamagedLineDoesNotEndTheListingAndNothingToReadListsNothing) {
  std::string path = scratch("damaged.sdf");
  std::string last = record("> <tail> ");
  last.resize(last.size() - 5);  // a last line without a line end, and no "$$$$"
  writeFile(path, record("> <b>\n\xff value\n\n>  <a>\n\n> <\xc3(x)> \xfe\n\n> <z>\n\n") + last);
  EXPECT_EQ(listed(path), "a\nb\ntail\nz\n\xEF\xBF\xBD(x)");

  // A compressed file is said, not listed as one without data fields.
  runForOutput("gzip -c '" + path + "' > '" + scratch("damaged.sdf.gz") + "'");
  EXPECT_EQ(listed(scratch("damaged.sdf.gz")), "old text");
  ASSERT_EQ(h.alerts().size(), 1u);
  EXPECT_THAT(h.alerts()[0].informativeText, ::testing::HasSubstr("compressed (gzip)"));

  writeFile(scratch("empty.sdf"), "");
  EXPECT_EQ(listed(scratch("empty.sdf")), "");
  EXPECT_TRUE(pane.obshellCommand.empty());
}

// A data field may be named like a command. What List tags, Count or the filter help put into
// the command field is not run; what the user types there, or edits, or Check puts there, is.
TEST_F(TagListing, RunRefusesWhatTheListingsPutInTheCommandField) {
  std::string planted = scratch("planted"), sdf = scratch("named.sdf");
  writeFile(sdf, record(">  <touch '" + planted + "'>\n1\n\n"));
  ASSERT_EQ(listed(sdf), "touch '" + planted + "'");
  auto refusals = h.alerts().size();
  for (auto filling : {"listTags:", "countMols:", "filterHelp:"}) {
    h.press(pane, filling);
    ASSERT_FALSE(commandField().empty()) << filling;
    h.press(pane, "runObabelcommand:");
    ASSERT_EQ(h.alerts().size(), ++refusals) << filling;
    EXPECT_THAT(h.alerts().back().informativeText, ::testing::HasSubstr("not a command"));
  }
  EXPECT_FALSE(std::filesystem::exists(planted));

  // The same text typed by hand, or the listing edited, runs.
  h.press(pane, "listTags:");
  setText("obabelText", commandField() + "\n");
  h.press(pane, "runObabelcommand:");
  EXPECT_TRUE(std::filesystem::exists(planted));
  EXPECT_EQ(h.alerts().size(), refusals);
}

}  // namespace
}  // namespace molbench::testing
