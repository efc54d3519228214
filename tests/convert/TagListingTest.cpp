// The line reader and the SD data-field listing, on real SD files and on damaged ones.
#include <gmock/gmock.h>

#include <set>
#include <sstream>

#include "ConvertFixture.h"
#include "common/Shell.h"
#include "convert/StreamingFileReader.h"

namespace molbench::testing {
namespace {

std::vector<std::string> allLines(const std::string& path) {
  StreamingFileReader reader(path);
  std::vector<std::string> lines;
  while (auto line = reader.readLine()) lines.push_back(*line);
  return lines;
}

class TagListing : public ConvertPaneTest {
 protected:
  std::string listed(const std::string& path) {
    setText("inputFilepath", path);
    setText("obabelText", "old text");
    h.press(pane, "listTags:");
    return commandField();
  }
  // The names as grep and sed find them, sorted and joined as the listing shows them.
  std::string grepped(const std::string& path) {
    auto found = shell("grep -a -e '> <' -e '>  <' '" + path + "' | sed -e 's/> <//g' " +
                       "-e 's/>  <//g' -e 's/>//g' -e 's/^[[:space:]]*//' -e 's/[[:space:]]*$//'");
    std::set<std::string> names;
    std::istringstream lines(found.value_or(""));
    for (std::string line; std::getline(lines, line);) names.insert(line);
    std::string joined;
    for (const auto& name : names) joined += (joined.empty() ? "" : "\n") + name;
    return joined;
  }
};

TEST(StreamingFileReader, HandsOutLinesAcrossChunks) {
  headless::Harness h;
  std::string path = h.temporaryDirectory() + "/lines";
  std::string longLine(3000, 'x');
  longLine.replace(1017, 2, "\xC3\xA9");  // split between the first two chunks
  writeFile(path, " a \r\n\n" + longLine +
                      "\n\xE2\x80\x83"
                      "b\xC2\xA0\nlast \n" +
                      "end ");
  EXPECT_THAT(allLines(path), ::testing::ElementsAre("a", "", longLine, "b", "last", "end "));

  writeFile(path, "one\rtwo\r");
  EXPECT_THAT(allLines(path), ::testing::ElementsAre("one\rtwo\r"));
  writeFile(path, "");
  EXPECT_THAT(allLines(path), ::testing::IsEmpty());
  EXPECT_THAT(allLines(h.temporaryDirectory()), ::testing::IsEmpty());  // a folder
  EXPECT_THAT(allLines(path + "-missing"), ::testing::IsEmpty());
}

TEST_F(TagListing, RealFilesListWhatGrepFinds) {
  for (auto path : {"/usr/share/RDKit/Contrib/Fastcluster/testdata/cdk2.sdf",  // "> <"
                    "/usr/share/RDKit/Data/NCI/first_200.props.sdf",           // ">  <"
                    "/usr/share/RDKit/Contrib/PBF/testData/egfr.sdf"}) {
    std::string names = listed(path);
    EXPECT_FALSE(names.empty()) << path;
    EXPECT_EQ(names, grepped(path)) << path;
  }
  EXPECT_EQ(listed(dataFile("small.smi")), "");
}

TEST_F(TagListing, DamagedLineDoesNotEndTheListing) {
  std::string path = scratch("damaged.sdf");
  writeFile(path,
            "> <b>\n>  <a>\n>  <b>\nvalue \xff\xfe > <\xc3(x)\n> <z>\n"
            "> <N<ame>>\n>   <three>\n> <A> (12)\n> <>\n> <tail> ");
  EXPECT_EQ(listed(path),
            "\nA (12)\nN<ame\na\nb\ntail \nvalue \xEF\xBF\xBD\xEF\xBF\xBD \xEF\xBF\xBD(x)\nz");
}

TEST_F(TagListing, NothingToReadListsNothing) {
  EXPECT_EQ(listed(scratch("missing.sdf")), "");
  EXPECT_EQ(listed(h.temporaryDirectory()), "");
  writeFile(scratch("empty.sdf"), "");
  EXPECT_EQ(listed(scratch("empty.sdf")), "");
  EXPECT_TRUE(pane.obshellCommand.empty());
}

}  // namespace
}  // namespace molbench::testing
