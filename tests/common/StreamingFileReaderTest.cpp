// The line reader, across chunk boundaries, on long lines and odd line ends.
#include <gmock/gmock.h>

#include "TestSupport.h"
#include "common/StreamingFileReader.h"
#include "platform/headless/Harness.h"

namespace molbench::testing {
namespace {

TEST(StreamingFileReader, HandsOutLinesAcrossChunks) {
  headless::Harness h;
  std::string path = h.temporaryDirectory() + "/lines";
  const std::string_view prefixes[] = {"M  END", "$$$$"};
  auto allLines = [&](bool startingOnly) {
    StreamingFileReader reader(path);
    std::vector<std::string> lines;
    std::string line;
    if (!startingOnly)
      while (reader.readLine(line)) lines.push_back(line);
    while (auto raw = startingOnly ? reader.readLineStartingWith(prefixes) : std::nullopt)
      lines.emplace_back(*raw);
    return lines;
  };
  const std::size_t chunk = StreamingFileReader::bufferSize;
  std::string longLine(chunk + 3000, 'x');
  longLine.replace(chunk - 7, 2, "\xC3\xA9");  // split between the first two chunks
  writeFile(path, " a \r\n\n" + longLine + "\n\xE2\x80\x83" + "b\xC2\xA0\nlast \nend ");
  EXPECT_THAT(allLines(false), ::testing::ElementsAre("a", "", longLine, "b", "last", "end "));
  writeFile(path, "one\rtwo\r");
  EXPECT_THAT(allLines(false), ::testing::ElementsAre("one\rtwo\r"));

  // A prefix split between chunks, one that starts a line longer than a chunk, and one that
  // starts a last line without a line end are all found; one inside a line is no prefix, also
  // where a chunk begins inside a line. The line end goes, with a carriage return before it.
  std::string filler(chunk - 3, 'y');
  std::string toThirdChunk(chunk - 13, 'z');
  writeFile(path, filler + "\nM  END split \r\n" + toThirdChunk + "$$$$ inside\n" + longLine +
                      "\nx $$$$\n$$$$" + longLine + "\nM  EN\n$$$$ end ");
  EXPECT_THAT(allLines(true),
              ::testing::ElementsAre("M  END split ", "$$$$" + longLine, "$$$$ end "));
}

}  // namespace
}  // namespace molbench::testing
