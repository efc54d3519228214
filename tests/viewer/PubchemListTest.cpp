// The PubChem name list against a real HTTP server on 127.0.0.1: one line per answered name,
// in order of arrival, whatever the names and answers hold; failures add nothing; requests
// reach the server no faster than PubChem allows, however long each takes to connect.
#include <fcntl.h>
#include <gmock/gmock.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "SendTimeServer.h"
#include "ViewerFixture.h"
#include "common/WebRequests.h"
#include "lookup/LocalServer.h"
#include "platform/SendTurns.h"
#include "platform/curl/CurlUrlSession.h"

namespace molbench::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::HasSubstr;
using ::testing::UnorderedElementsAreArray;
using namespace std::chrono_literals;

// The name a request path asks PubChem for, "?" for paths of other forms.
std::string nameIn(const std::string& path) {
  const std::string head = "/rest/pug/compound/name/", tail = "/property/IsomericSMILES/TXT";
  if (path.size() < head.size() + tail.size() || !path.starts_with(head) || !path.ends_with(tail))
    return "?";
  return path.substr(head.size(), path.size() - head.size() - tail.size());
}

class PubchemListTest : public ViewerTest {
 protected:
  void serve(std::function<ServerAnswer(const std::string&)> answer) {
    server = std::make_unique<LocalServer>(
        [answer = std::move(answer)](const std::string& path) { return answer(nameIn(path)); });
    h.serviceHosts().pubchem = server->host();
  }
  // The same from a server that tells when each request reached it, slow to open when asked.
  void serveTimed(std::function<ServerAnswer(const std::string&)> answer,
                  std::chrono::milliseconds closedFor = 0ms) {
    timedServer = std::make_unique<SendTimeServer>(
        [answer = std::move(answer)](const std::string& path) { return answer(nameIn(path)); },
        closedFor);
    h.serviceHosts().pubchem = timedServer->host();
  }
  // Asks for the names in a file and returns the path of the SMILES file that collects them.
  std::string list(const std::string& file, const std::string& names) {
    writeFile(scratch(file), names);
    setText("inputFilepath", scratch(file));
    h.press(pane, "getPubchemlist:");
    return text("inputFilepath");
  }
  std::vector<std::string> resultLines(const std::string& path) {
    return lines(fileExists(path) ? readFile(path) : "");
  }
  std::vector<std::string> namesAsked() {
    std::vector<std::string> names;
    for (const auto& arrival : server->arrivals()) names.push_back(nameIn(arrival.path));
    return names;
  }
  std::vector<std::string> namesSent() {
    std::vector<std::string> names;
    for (const auto& arrival : timedServer->arrivals()) names.push_back(nameIn(arrival.path));
    return names;
  }
  // PubChem counts requests as they reach it: by the kernel's receive times, which no load
  // moves, no six come within a second and each follows the one before by the pane's spacing.
  // The allowance is what a sender may lose between taking its turn and its send when the
  // machine is busy; a request bunched up behind a slow one comes far closer.
  void expectSpacedAsTheyArrive() {
    constexpr auto allowance = 25ms;
    auto arrivals = timedServer->arrivals();
    for (const auto& arrival : arrivals) ASSERT_GT(arrival.at.count(), 0) << "unstamped";
    auto sent = namesSent();
    for (size_t i = 0; i + 1 < arrivals.size(); ++i)
      EXPECT_GE(arrivals[i + 1].at - arrivals[i].at, pane.pubchemRequestSpacing - allowance)
          << sent[i] << " then " << sent[i + 1];
    for (size_t i = 0; i + 5 < arrivals.size(); ++i)
      EXPECT_GT(arrivals[i + 5].at - arrivals[i].at, 1s) << "six from " << sent[i];
  }
  long said(const std::string& line) {
    auto lines = h.diagnostics();
    return std::count(lines.begin(), lines.end(), line);
  }
  // Stopped with the fixture, after the test body's locals are gone, and only the socket orders
  // a worker's reads before the body ends: a responder owns what it serves, never a local.
  std::unique_ptr<LocalServer> server;
  std::unique_ptr<SendTimeServer> timedServer;
};

TEST_F(PubchemListTest, AnsweredNamesBecomeLinesInOrderOfArrivalAtNoMoreThanFiveASecond) {
  serveTimed([](const std::string& name) -> ServerAnswer {
    // An answer's closing line end, of any kind or none, ends no line early.
    if (name == "benzene") return {200, "c1ccccc1\r\n"};
    if (name == "slow one") return {200, "C\n", 600ms};
    if (name == "quick") return {200, "CCO"};
    if (name == "odd") return {200, "Status: 200\nCode: PUGREST.Odd\n"};
    if (name == "empty") return {200, ""};
    if (name == "busy") return {503, "Status: 503\nCode: PUGREST.ServerBusy\n"};
    return {404, "Status: 404\nCode: PUGREST.NotFound\n"};
  });
  // At PubChem's own pace the quick answer comes before the slow one's.
  auto pressed = LocalServer::Clock::now();
  std::string result = list("names.txt", "benzene\nslow one\nquick\n\nnothing\nodd\nempty\nbusy\n");
  EXPECT_LT(LocalServer::Clock::now() - pressed, 500ms) << "the window is not held";
  EXPECT_EQ(result, scratch("namespubchem.smi"));
  ASSERT_TRUE(h.waitFor([&] {
    return resultLines(result).size() == 3 && said("no smiles") == 2 &&
           said("error calling GET") == 2;
  })) << readFile(result);
  EXPECT_THAT(resultLines(result), ElementsAre("c1ccccc1\tbenzene", "CCO\tquick", "C\tslow one"));
  EXPECT_THAT(namesSent(),
              ElementsAre("benzene", "slow one", "quick", "nothing", "odd", "empty", "busy"))
      << "blank lines ask nothing";
  expectSpacedAsTheyArrive();
}

// A request slow to connect (its SYN dropped while the server's queue is full, and sent again a
// second later) waits for its turn like any other: no later request catches up with it.
TEST_F(PubchemListTest, ARequestSlowToConnectLetsNoLaterOneCatchUp) {
  serveTimed(
      [](const std::string& name) -> ServerAnswer {
        return {200, "C" + name + "\n"};
      },
      200ms);
  std::string result = list("slow.txt", "N1\nN2\nN3\nN4\nN5\nN6\nN7\n");
  ASSERT_TRUE(h.waitFor([&] { return resultLines(result).size() == 7; }));
  auto sent = namesSent();
  ASSERT_EQ(sent.size(), 7u);
  EXPECT_NE(sent.front(), "N1") << "the first connection opened late";
  expectSpacedAsTheyArrive();
  // Answered at once, so they come back in the order they were sent.
  std::vector<std::string> expected;
  for (const auto& name : sent) expected.push_back("C" + name + "\t" + name);
  EXPECT_THAT(resultLines(result), ElementsAreArray(expected));
}

// Quitting ends a request that waits, connected, for its turn at once: it is never sent and its
// completion never runs.
TEST(PubchemSends, AQuitEndsARequestWaitingForItsTurn) {
  SendTimeServer server([](const std::string&) { return ServerAnswer{200, "C\n"}; });
  const std::chrono::milliseconds spacing = 30s;
  auto turns = std::make_shared<platform::SendTurns>();
  turns->take(spacing, platform::SendTurns::Clock::now());  // a send just now
  auto answered = std::make_shared<std::atomic<bool>>(false);
  auto quitting = LocalServer::Clock::now();
  {
    headless::Harness h;
    auto session = h.makeUrlSession();
    session->spaceSends(turns, spacing);
    fetchText(h, session, server.host() + "/waiting",
              [answered](const std::string&) { *answered = true; });
    ASSERT_TRUE(h.waitFor([&] { return server.connections() == 1; }));
    // Time for curl to see its connection open and ask for its turn.
    std::this_thread::sleep_for(200ms);
    quitting = LocalServer::Clock::now();
  }
  EXPECT_LT(LocalServer::Clock::now() - quitting, 5s) << "not held up by the wait";
  EXPECT_FALSE(*answered);
  EXPECT_TRUE(server.arrivals().empty());
}

// A libcurl that cannot hold a request for its turn (one older than 7.80) fails the request, as
// any request error does, instead of sending it at once, faster than the service's rate allows.
TEST(PubchemSends, ARequestThatCannotWaitForItsTurnFailsUnsent) {
  SendTimeServer server([](const std::string&) { return ServerAnswer{200, "C\n"}; });
  struct RefusingLibcurl {
    decltype(platform::curl::setTurnOptions) real = platform::curl::setTurnOptions;
    RefusingLibcurl() {
      platform::curl::setTurnOptions = [](void*, const std::function<bool()>&) { return false; };
    }
    ~RefusingLibcurl() { platform::curl::setTurnOptions = real; }
  } refusing;
  auto turns = std::make_shared<platform::SendTurns>();
  turns->take(30s, platform::SendTurns::Clock::now());  // the next turn is far off
  auto answered = std::make_shared<std::atomic<bool>>(false);
  headless::Harness h;  // goes first, joining the worker before libcurl is itself again
  auto session = h.makeUrlSession();
  session->spaceSends(turns, 30s);
  fetchText(h, session, server.host() + "/unpaced",
            [answered](const std::string&) { *answered = true; });
  ASSERT_TRUE(h.waitFor([&] { return *answered || !h.diagnostics().empty(); }));
  EXPECT_FALSE(*answered);
  EXPECT_THAT(h.diagnostics(), ElementsAre("error calling GET", HasSubstr("not sent")));
  EXPECT_EQ(server.connections(), 0u);
}

TEST_F(PubchemListTest, LongAnswersAndNulBytesLandAndAnUnreadableNamesFileAsksNothing) {
  const std::string big(300 * 1024, 'C');
  serve([big](const std::string& name) -> ServerAnswer {
    return {200, name == "big" ? big + "\n" : std::string("C\0C\n", 5)};
  });
  pane.pubchemRequestSpacing = 1ms;
  std::string result = list("long.txt", "big\nnul\n");
  ASSERT_TRUE(h.waitFor([&] { return resultLines(result).size() == 2; }));
  EXPECT_THAT(resultLines(result),
              UnorderedElementsAreArray(std::vector<std::string>{big + "\tbig", "CC\tnul"}));

  std::filesystem::create_directories(scratch("folder.txt"));
  ASSERT_EQ(::mkfifo(scratch("fifo.txt").c_str(), 0600), 0);
  writeFile(scratch("latin1.txt"), "caf\xe9\n");  // saved in another encoding, not UTF-8
  for (const std::string name : {"folder.txt", "fifo.txt", "latin1.txt"}) {
    setText("inputFilepath", scratch(name));
    h.press(pane, "getPubchemlist:");
    EXPECT_EQ(text("inputFilepath"), scratch(name)) << "no list is made";
  }
  EXPECT_EQ(h.alerts().size(), 3u);
  EXPECT_EQ(server->arrivals().size(), 2u);
}

// Answers are appended from the requests' workers: a SMILES file that is a FIFO or a folder is
// refused before anything is sent, and one that turns into a FIFO later costs its answers, never
// a worker. A reader is kept on each FIFO, so a build that opened it would write, not hang.
TEST_F(PubchemListTest, ASmilesFileThatIsNoFileSendsNothingAndAnAppendNeverWaits) {
  serve([](const std::string& name) -> ServerAnswer { return {200, name + "C\n"}; });
  pane.pubchemRequestSpacing = 1ms;
  std::vector<int> readers;
  auto fifoAt = [&](const std::string& path) {
    EXPECT_EQ(::mkfifo(path.c_str(), 0600), 0);
    readers.push_back(::open(path.c_str(), O_RDONLY | O_NONBLOCK));
  };
  fifoAt(scratch("pipedpubchem.smi"));
  std::filesystem::create_directories(scratch("foldedpubchem.smi"));
  for (const std::string names : {"piped", "folded"}) {
    writeFile(scratch(names + ".txt"), "benzene\n");
    setText("inputFilepath", scratch(names + ".txt"));
    h.press(pane, "getPubchemlist:");
    EXPECT_EQ(text("inputFilepath"), scratch(names + ".txt"));
    ASSERT_FALSE(h.alerts().empty());
    EXPECT_THAT(h.alerts().back().informativeText, HasSubstr(scratch(names + "pubchem.smi")));
  }
  EXPECT_EQ(h.alerts().size(), 2u);
  EXPECT_TRUE(server->arrivals().empty());

  // A FIFO put in the SMILES file's place while the answers are held gets nothing; the file,
  // put back, is added to.
  std::string result = scratch("keptpubchem.smi");
  writeFile(result, "CCO\tethanol\n");
  server->hold();
  list("kept.txt", "water\nsalt\n");
  ASSERT_TRUE(h.waitFor([&] { return server->arrivals().size() == 2; }));
  std::filesystem::rename(result, scratch("kept.old"));
  fifoAt(result);
  server->release();
  const std::string failed =
      "getPubchemlist: cannot add to " + result + ": it is no longer a regular file";
  ASSERT_TRUE(h.waitFor([&] { return said(failed) == 2; }));
  char byte;
  EXPECT_EQ(::read(readers.back(), &byte, 1), 0) << "nothing was written into the FIFO";
  std::filesystem::rename(scratch("kept.old"), result);
  list("kept.txt", "water\n");
  ASSERT_TRUE(h.waitFor([&] { return resultLines(result).size() == 2; }));
  EXPECT_THAT(resultLines(result), ElementsAre("CCO\tethanol", "waterC\twater"));
  for (int reader : readers) ::close(reader);
}

// A server that redirects a request to itself, or sends more than any answer could hold, fails
// that name alone.
TEST_F(PubchemListTest, ARedirectLoopOrAnOversizedAnswerFailsThatNameAndTheListGoesOn) {
  serve([tooLong = std::string((64u << 20) + 1, 'C')](const std::string& name) -> ServerAnswer {
    if (name == "loop")
      return {302, "", 0ms, "/rest/pug/compound/name/loop/property/IsomericSMILES/TXT"};
    if (name == "endless") return {200, tooLong, 0ms, "", true};
    if (name == "announced") return {200, tooLong};
    return {200, "c1ccccc1\n"};
  });
  pane.pubchemRequestSpacing = 1ms;
  std::string result = list("servers.txt", "loop\nendless\nannounced\nbenzene\n");
  // Two answers of 64 MiB take their time under a sanitizer.
  ASSERT_TRUE(
      h.waitFor([&] { return said("error calling GET") == 3 && resultLines(result).size() == 1; },
                kSlowBuildFactor * 10s));
  EXPECT_THAT(resultLines(result), ElementsAre("c1ccccc1\tbenzene"));
  auto names = namesAsked();
  EXPECT_EQ(std::count(names.begin(), names.end(), "loop"), 6) << "the first ask and 5 redirects";
  EXPECT_EQ(said("more than 5 redirects; the request was abandoned"), 1);
  EXPECT_EQ(said("the answer is longer than 64 MiB and was abandoned"), 2);
}

TEST_F(PubchemListTest, NamesWithShellCharactersOrWindowsLineEndsLandAsTheyAre) {
  serve([](const std::string& name) -> ServerAnswer {
    return {200, "C'$(touch pwned)\\n" + std::to_string(name.size()) + "\n"};
  });
  pane.pubchemRequestSpacing = 1ms;
  std::filesystem::create_directories(scratch("my names (x)"));
  const std::vector<std::string> asked = {"it's", "$(touch pwned)", "back\\slash", "a/b c"};
  // Windows line ends on some lines: a carriage return is no part of the name.
  std::string result =
      list("my names (x)/list.v1.txt", "it's\r\n$(touch pwned)\nback\\slash\r\na/b c");
  EXPECT_EQ(result, scratch("my names (x)/list.v1pubchem.smi"));
  ASSERT_TRUE(h.waitFor([&] { return resultLines(result).size() == 4; }));
  std::vector<std::string> expected;
  for (const auto& name : asked)
    expected.push_back("C'$(touch pwned)\\n" + std::to_string(name.size()) + "\t" + name);
  EXPECT_THAT(resultLines(result), UnorderedElementsAreArray(expected));
  EXPECT_THAT(namesAsked(), UnorderedElementsAreArray(asked)) << "each name is one path segment";
  EXPECT_FALSE(fileExists("pwned"));
  EXPECT_FALSE(fileExists(scratch("my names (x)/pwned")));
}

TEST_F(PubchemListTest, AHundredConcurrentAnswersGiveAHundredWholeLines) {
  serve([](const std::string& name) -> ServerAnswer {
    return {200, "C" + name.substr(4) + "N\n"};
  });
  // Every answer is held until all hundred requests are in, so they arrive together.
  server->hold();
  pane.pubchemRequestSpacing = 0ms;
  std::string names;
  std::vector<std::string> expected;
  for (int i = 0; i < 100; ++i) {
    names += (i ? "\n" : "") + ("name" + std::to_string(i));
    expected.push_back("C" + std::to_string(i) + "N\tname" + std::to_string(i));
  }
  std::string result = list("many.txt", names);
  ASSERT_TRUE(h.waitFor([&] { return server->arrivals().size() == 100; }));
  server->release();
  ASSERT_TRUE(h.waitFor([&] { return resultLines(result).size() >= 100; }));
  EXPECT_THAT(resultLines(result), UnorderedElementsAreArray(expected));
}

// A SMILES file whose last line has no line end (typed by hand, or cut short) gets one before
// the first answer; a file that ends its lines, an empty one and a new one get no blank line.
TEST_F(PubchemListTest, AnAnswerNeverGluesOntoAnUnfinishedLastLine) {
  serve([](const std::string&) -> ServerAnswer { return {200, "c1ccccc1\n"}; });
  pane.pubchemRequestSpacing = 1ms;
  const std::pair<std::string, std::optional<std::string>> cases[] = {
      {"glued", "CCO\tethanol"}, {"ended", "CCO\tethanol\n"}, {"empty", ""}, {"new", {}}};
  for (const auto& [stem, before] : cases) {
    if (before) writeFile(scratch(stem + "pubchem.smi"), *before);
    std::string result = list(stem + ".txt", "benzene\n");
    ASSERT_TRUE(h.waitFor([&] { return fileExists(result) && readFile(result).ends_with("e\n"); }));
    std::string earlier = before && !before->empty() ? "CCO\tethanol\n" : "";
    EXPECT_EQ(readFile(result), earlier + "c1ccccc1\tbenzene\n") << stem;
  }
}

}  // namespace
}  // namespace molbench::testing
