// The line reader and the SD data-field listing, on real SD files and on damaged ones.
#include <gmock/gmock.h>

#include "ConvertFixture.h"
#include "convert/StreamingFileReader.h"

namespace molbench::testing {
namespace {

TEST(StreamingFileReader, HandsOutLinesAcrossChunks) {
  headless::Harness h;
  std::string path = h.temporaryDirectory() + "/lines";
  const std::string_view patterns[] = {"> <", ">  <"};
  auto allLines = [&](bool holdingOnly) {
    StreamingFileReader reader(path);
    std::vector<std::string> lines;
    std::string line;
    while (holdingOnly ? reader.readLineHolding(line, patterns) : reader.readLine(line))
      lines.push_back(line);
    return lines;
  };
  const std::size_t chunk = StreamingFileReader::bufferSize;
  std::string longLine(chunk + 3000, 'x');
  longLine.replace(chunk - 7, 2, "\xC3\xA9");  // split between the first two chunks
  writeFile(path, " a \r\n\n" + longLine + "\n\xE2\x80\x83" + "b\xC2\xA0\nlast \nend ");
  EXPECT_THAT(allLines(false), ::testing::ElementsAre("a", "", longLine, "b", "last", "end "));
  writeFile(path, "one\rtwo\r");
  EXPECT_THAT(allLines(false), ::testing::ElementsAre("one\rtwo\r"));

  // A pattern split between chunks, one at the end of a line longer than a chunk, and one in
  // a last line without a line end are all found; a lone ">" is no pattern.
  std::string filler(chunk - 5, 'y');
  writeFile(path, filler + "\nab> <split>\n" + longLine + ">  <long> \n>\n>  \t<no>\n x > <end> ");
  EXPECT_THAT(allLines(true),
              ::testing::ElementsAre("ab> <split>", longLine + ">  <long>", " x > <end> "));
}

class TagListing : public ConvertPaneTest {
 protected:
  std::string listed(const std::string& path) {
    setText("inputFilepath", path);
    setText("obabelText", "old text");
    h.press(pane, "listTags:");
    return commandField();
  }
};

TEST_F(TagListing, RealFilesListWhatGrepFinds) {
  for (std::string path : {"/usr/share/RDKit/Contrib/Fastcluster/testdata/cdk2.sdf",  // "> <"
                           "/usr/share/RDKit/Data/NCI/first_200.props.sdf"}) {        // ">  <"
    std::string grepped = runForOutput(
        "grep -a -e '> <' -e '>  <' '" + path + "' | sed -e 's/> <//g' -e 's/>  <//g' " +
        "-e 's/>//g' -e 's/^[[:space:]]*//' -e 's/[[:space:]]*$//' | LC_ALL=C sort -u");
    ASSERT_FALSE(grepped.empty()) << path;
    grepped.pop_back();  // the listing ends without a line break
    EXPECT_EQ(listed(path), grepped) << path;
  }
}

TEST_F(TagListing, DamagedLineDoesNotEndTheListingAndNothingToReadListsNothing) {
  std::string path = scratch("damaged.sdf");
  writeFile(path,
            "> <b>\n>  <a>\n>  <b>\nvalue \xff\xfe > <\xc3(x)\n> <z>\n"
            "> <N<ame>>\n>   <three>\n> <A> (12)\n> <>\n> <tail> ");
  EXPECT_EQ(listed(path),
            "\nA (12)\nN<ame\na\nb\ntail \nvalue \xEF\xBF\xBD\xEF\xBF\xBD \xEF\xBF\xBD(x)\nz");

  // A compressed file is said, not listed as one without data fields.
  runForOutput("gzip -c '" + path + "' > '" + scratch("damaged.sdf.gz") + "'");
  EXPECT_EQ(listed(scratch("damaged.sdf.gz")), "old text");
  ASSERT_EQ(h.alerts().size(), 1u);
  EXPECT_THAT(h.alerts()[0].informativeText, ::testing::HasSubstr("compressed (gzip)"));

  writeFile(scratch("empty.sdf"), "");
  EXPECT_EQ(listed(scratch("empty.sdf")), "");
  EXPECT_TRUE(pane.obshellCommand.empty());
}

}  // namespace
}  // namespace molbench::testing
