// Reading spectrophore text, the distances and the result lines, apart from any program.
#include <gtest/gtest.h>

#include <cstdio>

#include "TestSupport.h"
#include "common/Shell.h"
#include "platform/headless/Harness.h"
#include "tools/SpectrophoreSearch.h"

namespace molbench {
namespace {

TEST(SpectrophoreText, HeaderAndPlainDecimalValues) {
  EXPECT_EQ(spectrophoreRecords("Resolution: 3 Angstrom\n\na\t1\t\n"), "a\t1\t\n");
  EXPECT_FALSE(spectrophoreRecords("Resolution: 3 angstrom\n\na\t1\t\n"));
  auto record = parseSpectrophoreRecord("ZINC 1\t2.95844\t-1e-3\t+.5\t6.34598e-15\t\n");
  ASSERT_TRUE(record);
  EXPECT_EQ(record->title, "ZINC 1");
  EXPECT_EQ(record->values, (std::vector<double>{2.95844, -1e-3, 0.5, 6.34598e-15}));
  // Only a whole field in plain decimal notation is a number.
  for (const char* field :
       {" 1", "1 ", "", "inf", "nan", "0x10", "1e", "-", ".", "1,5", "1\n", "+-1", "-+1"})
    EXPECT_FALSE(parseSpectrophoreRecord(std::string("t\t") + field + "\t")) << field;
  EXPECT_FALSE(parseSpectrophoreRecord("no tab here"));
}

TEST(SpectrophoreText, DistancesAreFormattedAsPrintfInTheCLocale) {
  for (double value :
       {0.0, 3.14159, 2.675, 0.005, 0.015, 1234567.891, 1e-9, 99.995, 1e22, 1.7e308}) {
    char expected[512];
    std::snprintf(expected, sizeof expected, "%0.2f", value);
    EXPECT_EQ(formattedDistance(value), expected);
  }
}

TEST(SpectrophoreSearch, ComparesEveryCompleteLineOverTheQueryValues) {
  auto result = searchSpectrophores({0, 0}, "a\t3\t4\t\n b  b\t0\t0\t9\t\n\t1\t1\t\nc\t1\t1\t");
  EXPECT_EQ(result.pieceCount, 4u);
  EXPECT_EQ(result.lines, "a 5.00\nb b 0.00\n1.41\nc 1.41\n");  // c is whole, with no line feed
  EXPECT_FALSE(result.stopReason);
}

TEST(SpectrophoreSearch, AnUnreadableRecordStopsItKeepingEarlierLines) {
  for (const char* bad : {"\n", "x\t1\tnope\t\n", "short\t1\t\n"}) {
    auto result = searchSpectrophores({1, 1}, std::string("a\t1\t1\t\n") + bad + "z\t1\t1\t\n");
    EXPECT_EQ(result.lines, "a 0.00\n") << bad;
    EXPECT_TRUE(result.stopReason) << bad;
  }
}

TEST(SpectrophoreSearch, LongResultsAreAppendedInCommandsBelowTheArgumentLimit) {
  headless::Harness h;
  std::string results = h.temporaryDirectory() + "/it's results.txt";
  std::string lines;
  for (int i = 0; i < 20000; ++i) lines += resultLine("mol'" + std::to_string(i), "12.34");
  auto commands = resultAppendCommands(lines, results);
  EXPECT_GT(commands.size(), 1u);
  for (const auto& command : commands) {
    EXPECT_LT(command.size(), 128u * 1024u);
    shell(command);
  }
  EXPECT_EQ(testing::readFile(results), lines);
}

}  // namespace
}  // namespace molbench
