#include <gtest/gtest.h>

#include <random>

#include "TestSupport.h"
#include "common/Shell.h"
#include "common/ShellQuote.h"
#include "convert/ConversionCommand.h"
#include "lookup/LookupCommands.h"
#include "platform/headless/Harness.h"
#include "search/SearchCommands.h"
#include "viewer/ViewerCommands.h"

namespace molbench {
namespace {

// Texts made to break naive quoting: quotes of both kinds, substitutions, separators, globs,
// blanks and line breaks, leading dashes and multi-byte characters.
std::vector<std::string> trickyTexts(std::mt19937& random, size_t count) {
  // clang-format off
  const std::vector<std::string> pieces = {
      "a", "Z", "7", " ", "\t", "\n", "'", "\"", "$", "$(", ")", "`", ";", "|", "&", "*", "?",
      "[", "]", "{", "}", "~", "#", "!", "\\", "<", ">", "%", "-", "=", ".", "/", ",", ":", "@",
      "é", "漢", "\xF0\x9F\x98\x80", "$(touch pwned)", "`id`", "'\\''", "--", "c1ccccc1"};
  // clang-format on
  std::vector<std::string> texts;
  for (size_t i = 0; i < count; ++i) {
    std::string text = i % 7 == 0 ? "-" : "";
    size_t length = 1 + random() % 12;
    for (size_t k = 0; k < length; ++k) text += pieces[random() % pieces.size()];
    texts.push_back(text);
  }
  return texts;
}

class QuotingThroughBash : public ::testing::Test {
 protected:
  // Runs the recorder with the given argument text and returns what it received.
  std::vector<std::string> passed(const std::string& arguments) {
    shell(recorder + " " + arguments);
    return testing::recordedArguments(record);
  }
  headless::Harness h;
  std::string recorder = h.temporaryDirectory() + "/recorder";
  std::string record = h.temporaryDirectory() + "/record";
  void SetUp() override { testing::writeArgumentRecorder(recorder, record); }
};

TEST_F(QuotingThroughBash, EveryQuotedTextArrivesAsExactlyOneArgument) {
  std::mt19937 random(20261206);
  for (int batch = 0; batch < 20; ++batch) {
    auto texts = trickyTexts(random, 150);
    std::string words, paths, doubled;
    for (const auto& text : texts) {
      words += " " + shellWord(text);
      paths += " " + quotedPath(text);
      doubled += " \"" + doubleQuotedContent(text) + "\"";
    }
    ASSERT_EQ(passed(words), texts) << "shellWord, batch " << batch;
    ASSERT_EQ(passed(paths), texts) << "quotedPath, batch " << batch;
    ASSERT_EQ(passed(doubled), texts) << "double quotes, batch " << batch;
  }
  EXPECT_FALSE(testing::fileExists("pwned"));
}

TEST_F(QuotingThroughBash, EmptyValuesStayArgumentsAndSplitFieldsGiveOnePerWord) {
  EXPECT_EQ(passed(quotedPath("") + " \"" + doubleQuotedContent("") + "\" -f " + optionValue("")),
            (std::vector<std::string>{"", "", "-f", ""}));
  EXPECT_EQ(passed(shellWords("  1 2\t$(x) 'a b  ")),
            (std::vector<std::string>{"1", "2", "$(x)", "'a", "b"}));
}

TEST(ShellQuote, OrdinaryValuesStayAsTypedAndPathsAreAlwaysQuoted) {
  for (const std::string plain :
       {"7.4", "-12", "c1ccccc1", "/usr/local/bin/obabel", "0.7", "MW", "a_b@c%d+e=f:g,h", ""})
    EXPECT_EQ(shellWord(plain), plain);
  EXPECT_EQ(optionValue("2"), "2");
  EXPECT_EQ(shellWord("a b"), "'a b'");
  EXPECT_EQ(quotedPath("/tmp/in.sdf"), "'/tmp/in.sdf'");
}

TEST(ShellQuote, ProgramPathsHeadTheCommandAsOneWordThatStillExpandsTheHomeFolder) {
  EXPECT_EQ(programWord("/usr/bin/obrotate"), "/usr/bin/obrotate");
  EXPECT_EQ(programWord("~/ob/bin/obrotate"), "~/ob/bin/obrotate");
  EXPECT_EQ(programWord("/opt/a&b$(x)/obrotate"), "'/opt/a&b$(x)/obrotate'");
  EXPECT_EQ(programWord("~/it's/obrotate"), "~/'it'\\''s/obrotate'");
}

TEST(ShellQuote, EveryObabelCommandIsHeadedByThePathAsOneWord) {
  const std::string path = "/opt/Open Babel/o'brien/obabel";
  ConversionPieces conversion;
  SearchPieces search;
  const std::string commands[] = {
      composeConversion(path, {}, conversion).command,
      composeCount(path, "", "in"),
      composeFileSearch(path, {}, search).command,
      indexBuildCommand(path, "", "in", "in.fs"),
      indexSearchCommand(path, "in.fs", "out", "", ""),
      countCommand(path, "in"),
      titleCommand(path, "in"),
      depictionCommand(path, "in", "", "", ""),
      filterCommand(path, "in", "", ""),
      exportCopyCommand(path, "in", 1, "out"),
      exportJoinCommand(path, "in", "out"),
      depictionCommand(path, "C", "out.png"),
      threeDTextCommand(path, "C"),
      threeDFileCommand(path, "C", "out.sdf"),
  };
  for (const auto& command : commands)
    EXPECT_EQ(command.rfind("'/opt/Open Babel/o'\\''brien/obabel' ", 0), 0u) << command;
}

}  // namespace
}  // namespace molbench
