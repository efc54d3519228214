// The SMARTS check every filtering pane makes before a run, judged by the real obabel: it
// refuses what obabel cannot use (and would filter by after emptying the output), and nothing
// that obabel reads.
#include <gmock/gmock.h>
#include <unistd.h>

#include <filesystem>

#include "TestSupport.h"
#include "common/SmartsCheck.h"
#include "common/TemporaryDirectory.h"
#include "platform/headless/Harness.h"

namespace molbench {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using namespace molbench::testing;

class SmartsCheck : public ::testing::Test {
 protected:
  std::string scratch(const std::string& name) { return h.temporaryDirectory() + "/" + name; }
  std::optional<SmartsProblem> problem(const std::string& mode, const std::string& pattern,
                                       SmartsUse use = SmartsUse::filterOrNone) {
    return smartsFilterProblem(kObabel, mode, pattern, use);
  }
  headless::Harness h;
};

TEST_F(SmartsCheck, RefusesOnlyWhatObabelCannotUse) {
  writeFile(scratch("pattern.smi"), "c1ccccc1\n");
  const auto index = SmartsUse::indexQuery;
  // mode, pattern, use, the alert's title ("" for none), words its text holds
  const std::tuple<std::string, std::string, SmartsUse, std::string, std::string> cases[] = {
      {"matching", "", SmartsUse::filterOrNone, kTypePatternTitle, "type a SMARTS pattern"},
      {"not_matching", " \t ", SmartsUse::filterOrNone, kTypePatternTitle,
       "pattern field is empty"},
      {"matching", "", index, kTypePatternTitle, ""},
      {"Choose", "CCCC", index, kChooseModeTitle, "needs a query"},
      {"not_matching", "c", index, kChooseModeTitle, "Choose \"matching\""},
      {"matching", "C(", SmartsUse::filterOrNone, kMendPatternTitle,
       "C( cannot be interpreted as either valid SMARTS or the name of a file"},
      {"not_matching", "CC)", SmartsUse::filterOrNone, kMendPatternTitle,
       "CC) cannot be interpreted"},
      {"matching", "C(C exact", index, kMendPatternTitle, "C(C cannot be interpreted"},
      {"matching", "[#6;R] exact", SmartsUse::filterOrNone, kMendPatternTitle,
       "has to be valid SMILES when the exact option is used"},
      {"matching", "missing.smi", SmartsUse::filterOrNone, kMendPatternTitle, "cannot be"},
      // obabel would take these for its own options and filter by no pattern.
      {"matching", "-C", SmartsUse::filterOrNone, kMendPatternTitle, "write \"./\""},
      {"matching", "-O" + scratch("elsewhere.smi"), index, kMendPatternTitle, "begins with \"-\""},
      // What obabel reads runs, whatever it matches.
      {"Choose", "", SmartsUse::filterOrNone, "", ""},
      {"Choose", "C(", SmartsUse::filterOrNone, "", ""},
      {"", "C(", SmartsUse::filterOrNone, "", ""},  // an empty popup keeps the last fragment
      {"matching", "[#6;R]", index, "", ""},
      {"matching", "[$(C=O)]N", SmartsUse::filterOrNone, "", ""},
      {"not_matching", " c1ccccc1 exact", SmartsUse::filterOrNone, "", ""},
      {"matching", "[U]", SmartsUse::filterOrNone, "", ""},
      {"matching", scratch("pattern.smi"), SmartsUse::filterOrNone, "", ""},
  };
  for (const auto& [mode, pattern, use, title, words] : cases) {
    auto found = problem(mode, pattern, use);
    EXPECT_EQ(found ? found->title : "", title) << mode << " [" << pattern << "]";
    if (found) {
      EXPECT_THAT(found->text, HasSubstr(words)) << pattern;
    }
  }
  EXPECT_FALSE(fileExists(scratch("elsewhere.smi")));
}

TEST_F(SmartsCheck, APatternFileIsReadFromTheWorkingFolderAsTheRunReadsIt) {
  writeFile(scratch("ring.sdf"), "");
  runForOutput("obabel -:c1ccccc1 -osdf -O " + scratch("ring.sdf") + " 2>/dev/null");
  std::string before = std::filesystem::current_path();
  std::filesystem::current_path(h.temporaryDirectory());
  auto here = problem("matching", "ring.sdf");
  std::filesystem::current_path(before);
  EXPECT_FALSE(here.has_value());
  EXPECT_TRUE(problem("matching", "ring.sdf").has_value()) << "no such file in " << before;
}

TEST_F(SmartsCheck, ThePatternReachesObabelAsOneArgumentAndNothingInItRuns) {
  std::string recorder = scratch("bin/obabel"), arguments = scratch("arguments");
  std::filesystem::create_directories(scratch("bin"));
  writeArgumentRecorder(recorder, arguments);
  const std::string pwned = scratch("pwned");
  // Each pattern, and whether the real obabel refuses it (it reads the first word as SMARTS).
  const std::pair<std::string, bool> cases[] = {{"$(touch " + pwned + ")", true},
                                                {"c; touch " + pwned, true},
                                                {"`touch " + pwned + "`", true},
                                                {"it's \"q\" |x", true},
                                                {" c1ccccc1 ", false}};
  for (const auto& [pattern, refused] : cases) {
    EXPECT_FALSE(smartsFilterProblem(recorder, "matching", pattern, SmartsUse::filterOrNone));
    EXPECT_THAT(recordedArguments(arguments), ElementsAre("-:C", "-onul", "-s", pattern));
    EXPECT_EQ(problem("matching", pattern).has_value(), refused) << pattern;
  }
  EXPECT_FALSE(fileExists(pwned));
}

}  // namespace
}  // namespace molbench
