// The SMARTS check every filtering pane makes before a run, judged by the real obabel: it
// refuses what obabel cannot use (and would filter by after emptying the output), and nothing
// that obabel reads.
#include <gmock/gmock.h>

#include <filesystem>

#include "TestSupport.h"
#include "common/SmartsCheck.h"
#include "platform/headless/Harness.h"

namespace molbench {
namespace {

using namespace molbench::testing;

TEST(SmartsCheck, RefusesOnlyWhatObabelCannotUseAndRunsNothingOfThePattern) {
  headless::Harness h;
  const std::string dir = h.temporaryDirectory(), before = std::filesystem::current_path();
  // The alert's title and text, or "" where the run goes on.
  auto said = [&](const std::string& mode, const std::string& pattern,
                  SmartsUse use = SmartsUse::filterOrNone, const std::string& obabel = kObabel) {
    auto found = smartsFilterProblem(obabel, mode, pattern, use, "", dir);
    return found ? found->title + ": " + found->text : "";
  };
  writeFile(dir + "/ring.smi", "c1ccccc1\n");
  const auto index = SmartsUse::indexQuery, filter = SmartsUse::filterOrNone;
  // mode, pattern, use, words of the alert ("" where the run goes on); the panes' tests refuse
  // an empty pattern, "C(" and an index search's "Choose" with the real obabel.
  const std::tuple<std::string, std::string, SmartsUse, std::string> cases[] = {
      {"not_matching", " \t ", filter, kTypePatternTitle},
      {"not_matching", "c", index, "Choose \"matching\""},
      {"matching", "C(C exact", index, "C(C cannot be interpreted"},
      {"matching", "[#6;R] exact", filter, "has to be valid SMILES when the exact option is used"},
      {"matching", "ring.smi", filter, kMendPatternTitle},  // no such file in this folder
      {"matching", "-O" + dir + "/elsewhere.smi", index, "begins with \"-\""},  // an option
      {"Choose", "C(", filter, ""},
      {"", "C(", filter, ""},  // an empty popup keeps the last fragment
      {"matching", "[#6;R]", index, ""},
      {"not_matching", "[CX3](=O)[OX2H1]", SmartsUse::indexInput, ""},  // searched as "matching"
      {"not_matching", " c1ccccc1 exact", filter, ""},
      {"matching", dir + "/ring.smi", filter, ""},
  };
  for (const auto& [mode, pattern, use, words] : cases) {
    std::string found = said(mode, pattern, use);
    EXPECT_THAT(found, ::testing::HasSubstr(words)) << mode << " [" << pattern << "]";
    EXPECT_EQ(found.empty(), words.empty()) << mode << " [" << pattern << "]";
  }
  EXPECT_FALSE(fileExists(dir + "/elsewhere.smi"));

  // A pattern file's relative name is read in the working folder, as the run reads it.
  std::filesystem::current_path(dir);
  EXPECT_EQ(said("matching", "ring.smi"), "");
  std::filesystem::current_path(before);

  // The pattern reaches obabel as one argument, and nothing in it runs.
  const std::string pwned = dir + "/pwned";
  const std::string hostile = "$(touch " + pwned + "); `touch " + pwned + "` it's \"q\" |x";
  writeArgumentRecorder(dir + "/ob", dir + "/arguments");
  EXPECT_EQ(said("matching", hostile, filter, dir + "/ob"), "");
  EXPECT_THAT(recordedArguments(dir + "/arguments"),
              ::testing::ElementsAre("-:C", "-onul", "-s", hostile));
  EXPECT_THAT(said("matching", hostile), ::testing::HasSubstr(kMendPatternTitle));
  // So does the index search's, with its similarity and its index in a scratch folder.
  const std::string scratch = dir + "/o'brien's scratch";
  std::filesystem::create_directory(scratch);
  EXPECT_EQ(smartsFilterProblem(dir + "/ob", "matching", hostile, index, "5", scratch),
            std::nullopt);
  EXPECT_THAT(recordedArguments(dir + "/arguments"),
              ::testing::ElementsAre(::testing::AllOf(::testing::StartsWith(scratch + "/"),
                                                      ::testing::EndsWith("/one.fs")),
                                     "-onul", "-s", hostile, "-at5"));
  EXPECT_FALSE(fileExists(pwned));
}

}  // namespace
}  // namespace molbench
