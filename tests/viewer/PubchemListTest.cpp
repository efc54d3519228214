// The PubChem name list against a real HTTP server on 127.0.0.1: one line per answered name,
// in order of arrival, whatever the names and answers hold; failures add nothing; requests
// start no faster than PubChem allows.
#include <gmock/gmock.h>

#include <atomic>
#include <condition_variable>
#include <filesystem>

#include "PubchemServer.h"
#include "ViewerFixture.h"

namespace molbench::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::UnorderedElementsAreArray;
using namespace std::chrono_literals;

class PubchemListTest : public ViewerTest {
 protected:
  void serve(std::function<PubchemAnswer(const std::string&)> answer) {
    server = std::make_unique<PubchemServer>(std::move(answer));
    h.serviceHosts().pubchem = server->host();
  }
  std::vector<std::string> resultLines(const std::string& path) {
    std::vector<std::string> lines;
    if (!fileExists(path)) return lines;
    std::string text = readFile(path);
    for (size_t start = 0, end; (end = text.find('\n', start)) != std::string::npos;
         start = end + 1)
      lines.push_back(text.substr(start, end - start));
    return lines;
  }
  size_t said(const std::string& line) {
    auto lines = h.diagnostics();
    return static_cast<size_t>(std::count(lines.begin(), lines.end(), line));
  }
  std::unique_ptr<PubchemServer> server;
};

TEST_F(PubchemListTest, AnsweredNamesBecomeLinesInOrderOfArrival) {
  serve([](const std::string& name) -> PubchemAnswer {
    if (name == "benzene") return {200, "c1ccccc1\n"};
    if (name == "slow one") return {200, "C\n", 600ms};
    if (name == "quick") return {200, "CCO\n"};
    if (name == "odd") return {200, "Status: 200\nCode: PUGREST.Odd\n"};
    if (name == "busy") return {503, "Status: 503\nCode: PUGREST.ServerBusy\n"};
    if (name.empty()) return {400, "Status: 400\nCode: PUGREST.BadRequest\n"};
    return {404, "Status: 404\nCode: PUGREST.NotFound\n"};
  });
  // At PubChem's own pace the quick answer comes 200 ms after benzene's, and the slow one last.
  writeFile(scratch("names.txt"), "benzene\nslow one\nquick\nnothing\nodd\nbusy\n");
  setText("inputFilepath", scratch("names.txt"));
  h.press(pane, "getPubchemlist:");
  std::string result = scratch("namespubchem.smi");
  EXPECT_EQ(text("inputFilepath"), result);
  ASSERT_TRUE(h.waitFor([&] {
    return resultLines(result).size() == 3 && said("no smiles") == 1 &&
           said("error calling GET") == 3;
  })) << readFile(result);
  EXPECT_THAT(resultLines(result), ElementsAre("c1ccccc1\tbenzene", "CCO\tquick", "C\tslow one"));
  EXPECT_EQ(server->arrivals().size(), 7u) << "the empty last line is asked too";
}

TEST_F(PubchemListTest, NamesAndAnswersWithShellCharactersLandAsTheyAre) {
  serve([](const std::string& name) -> PubchemAnswer {
    return {200, "C'$(touch pwned)\\n" + std::to_string(name.size()) + "\n"};
  });
  pane.pubchemRequestSpacing = 1ms;
  std::filesystem::create_directories(scratch("my names (x)"));
  std::string names = scratch("my names (x)/list.v1.txt");
  const std::vector<std::string> asked = {"it's", "$(touch pwned)", "back\\slash", "a/b c"};
  writeFile(names, "it's\n$(touch pwned)\nback\\slash\na/b c");
  setText("inputFilepath", names);
  h.press(pane, "getPubchemlist:");
  std::string result = scratch("my names (x)/list.v1pubchem.smi");
  ASSERT_TRUE(h.waitFor([&] { return resultLines(result).size() == 4; }));
  std::vector<std::string> expected;
  for (const auto& name : asked)
    expected.push_back("C'$(touch pwned)\\n" + std::to_string(name.size()) + "\t" + name);
  EXPECT_THAT(resultLines(result), UnorderedElementsAreArray(expected));
  std::vector<std::string> arrived;
  for (const auto& arrival : server->arrivals()) arrived.push_back(arrival.name);
  EXPECT_THAT(arrived, UnorderedElementsAreArray(asked)) << "each name is one path segment";
  EXPECT_FALSE(fileExists("pwned"));
  EXPECT_FALSE(fileExists(scratch("my names (x)/pwned")));
}

TEST_F(PubchemListTest, NamesOfAFileWithWindowsLineEndsAreAskedWithoutTheCarriageReturn) {
  serve([](const std::string& name) -> PubchemAnswer {
    if (name == "benzene") return {200, "c1ccccc1\n"};
    if (name == "ethanol") return {200, "CCO\n"};
    return {404, "Status: 404\nCode: PUGREST.NotFound\n"};
  });
  pane.pubchemRequestSpacing = 1ms;
  writeFile(scratch("crlf.txt"), "benzene\r\nethanol\r\n");
  setText("inputFilepath", scratch("crlf.txt"));
  h.press(pane, "getPubchemlist:");
  std::string result = scratch("crlfpubchem.smi");
  ASSERT_TRUE(h.waitFor([&] { return resultLines(result).size() == 2; })) << said("no smiles");
  EXPECT_THAT(resultLines(result),
              UnorderedElementsAreArray({"c1ccccc1\tbenzene", "CCO\tethanol"}));
}

TEST_F(PubchemListTest, AHundredConcurrentAnswersGiveAHundredWholeLines) {
  std::mutex mutex;
  std::condition_variable allThere;
  int waiting = 0;
  serve([&](const std::string& name) -> PubchemAnswer {
    // Every answer is held until all hundred requests are in, so they arrive together.
    std::unique_lock lock(mutex);
    ++waiting;
    allThere.notify_all();
    allThere.wait_for(lock, 5s, [&] { return waiting >= 100; });
    return {200, "C" + name.substr(4) + "N\n"};
  });
  pane.pubchemRequestSpacing = 0ms;
  std::string names;
  std::vector<std::string> expected;
  for (int i = 0; i < 100; ++i) {
    names += (i ? "\n" : "") + ("name" + std::to_string(i));
    expected.push_back("C" + std::to_string(i) + "N\tname" + std::to_string(i));
  }
  writeFile(scratch("many.txt"), names);
  setText("inputFilepath", scratch("many.txt"));
  h.press(pane, "getPubchemlist:");
  ASSERT_TRUE(h.waitFor([&] { return resultLines(scratch("manypubchem.smi")).size() >= 100; }));
  EXPECT_THAT(resultLines(scratch("manypubchem.smi")), UnorderedElementsAreArray(expected));
}

TEST_F(PubchemListTest, RequestsStartNoFasterThanFiveASecondWithoutHoldingTheWindow) {
  serve([](const std::string&) -> PubchemAnswer { return {200, "C\n"}; });
  writeFile(scratch("four.txt"), "a\nb\nc\nd");
  setText("inputFilepath", scratch("four.txt"));
  auto pressed = PubchemServer::Clock::now();
  h.press(pane, "getPubchemlist:");
  EXPECT_LT(PubchemServer::Clock::now() - pressed, 150ms);
  ASSERT_TRUE(h.waitFor([&] { return resultLines(scratch("fourpubchem.smi")).size() == 4; }));
  auto arrivals = server->arrivals();
  ASSERT_EQ(arrivals.size(), 4u);
  for (size_t i = 0; i < arrivals.size(); ++i) {
    EXPECT_EQ(arrivals[i].name, std::string(1, static_cast<char>('a' + i)));
    if (i > 0) {
      EXPECT_GE(arrivals[i].at - arrivals[i - 1].at, 180ms) << i;
    }
  }
}

}  // namespace
}  // namespace molbench::testing
