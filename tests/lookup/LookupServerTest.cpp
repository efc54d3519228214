// The lookup's addresses and its text lookup against a real HTTP server on 127.0.0.1: answers
// reach the fields only through the main queue, error answers fill nothing, and a silent server
// blocks nothing.
#include <gmock/gmock.h>

#include <array>
#include <atomic>
#include <condition_variable>
#include <mutex>

#include "LocalServer.h"
#include "LookupFixture.h"
#include "common/WebRequests.h"
#include "platform/curl/CurlUrlSession.h"

namespace molbench::testing {
namespace {

using ::testing::ElementsAre;

const std::string kAcetic = "/chemical/structure/acetic%20acid";

// A session that answers each request on the calling thread before `get` returns, so a test
// knows that every completion has run.
class SynchronousSession : public platform::UrlSession {
  void get(const std::string& url,
           std::function<void(const platform::UrlResponse&)> completion) override {
    completion(platform::curl::CurlUrlSession::fetch(url));
  }
};

class LookupServer : public LookupTest {
 protected:
  LookupServer() {
    pointHostsAt(server.host());
    h.setUrlSessionFactory([] { return std::make_shared<SynchronousSession>(); });
  }

  LocalServer server;
};

TEST_F(LookupServer, EachEngineAsksForThePictureAndTextsOfTheEncodedQuery) {
  // Title, base, picture, SMILES and InChIKey pieces.
  const std::array<std::string, 5> engines[] = {
      {"CIR", "/chemical/structure/", "/image", "/smiles", "/stdinchikey"},
      {"PubChem", "/rest/pug/compound/name/", "/PNG", "/property/IsomericSMILES/TXT",
       "/property/InChIKey/TXT"},
  };
  // Blanks, "/", "#", "+" and letters beyond ASCII, and what each becomes.
  const std::pair<std::string, std::string> queries[] = {
      {"CC(=O)O/C=C/C#N", "CC(=O)O%2FC=C%2FC%23N"},
      {"C[N+](C)(C)C", "C[N+](C)(C)C"},
      {"Ätzkali ß", "%C3%84tzkali%20%C3%9F"},
      {".", "."},  // a name, never a step in the server's path
      {"..", ".."},
  };
  EXPECT_EQ(h.popup(pane, "queryEngine").titleOfSelectedItem(), "CIR");
  for (const auto& engine : engines) {
    for (const auto& [query, encoded] : queries) {
      SCOPED_TRACE(engine[0] + " " + query);
      lookUp(engine[0], query);
      h.press(pane, "cirSearch:");
      h.press(pane, "getSMILES:");
      std::string path = engine[1] + encoded;
      EXPECT_EQ(webLoads().back(), server.host() + path + engine[2]);
      auto targets = server.targets();
      EXPECT_THAT(std::vector(targets.end() - 2, targets.end()),
                  ElementsAre(path + engine[3], path + engine[4]));
    }
  }
}

TEST_F(LookupServer, PdbPictureFromTheEntryPathAndUniChemPageOfTheInchiKey) {
  lookUp("PDB", "1ABC");
  h.press(pane, "cirSearch:");
  setText("queryString", "X");  // too short to name an entry: nothing is loaded
  h.press(pane, "cirSearch:");
  EXPECT_EQ(webLoads(),
            std::vector<std::string>{server.host() + "/images/rutgers/ab/1abc/1abc.pdb1-500.jpg"});
  // The PDB has no text addresses: a text lookup asks nothing, and the texts of the structure
  // looked up before are no longer beside the query.
  setText("smilesString", "CCO");
  setText("inChiKeystring", "LFQSCWFLJHTTHZ-UHFFFAOYSA-N");
  h.press(pane, "getSMILES:");
  EXPECT_TRUE(server.targets().empty());
  EXPECT_EQ(text("smilesString") + text("inChiKeystring"), "");

  setText("inChiKeystring", "BSYNRYMUTXBXSQ-UHFFFAOYSA-N");
  h.press(pane, "searchUnichem:");
  EXPECT_EQ(h.opened(),
            std::vector<std::string>{server.host() + "/unichem/frontpage/results?queryText="
                                                     "BSYNRYMUTXBXSQ-UHFFFAOYSA-N&kind=InChIKey&"
                                                     "sources=&incl=exclude"});
}

TEST_F(LookupServer, ErrorAnswersFillNothingAndAnswersFillTheFieldsOnlyOnTheMainQueue) {
  setText("queryString", "acetic acid");
  server.answer(kAcetic + "/smiles", 500, "Internal Server Error");
  // The InChIKey target is not scripted: the server says 404 with a page of text.
  h.press(pane, "getSMILES:");
  EXPECT_EQ(h.drainMainQueue(), 0);
  EXPECT_EQ(text("smilesString") + text("inChiKeystring"), "");
  auto lines = h.diagnostics();
  EXPECT_EQ(std::count(lines.begin(), lines.end(), "error calling GET"), 2);

  server.answer(kAcetic + "/smiles", 200, "CC(O)=O\n");
  server.answer(kAcetic + "/stdinchikey", 200, "InChIKey=QTBSBXVTEAMEQO-UHFFFAOYSA-N");
  h.press(pane, "getSMILES:");
  // Both answers have been handled, yet no field changed outside the main queue.
  EXPECT_EQ(text("smilesString") + text("inChiKeystring"), "");
  EXPECT_EQ(h.drainMainQueue(), 2);
  EXPECT_EQ(text("smilesString"), "CC(O)=O");
  EXPECT_EQ(text("inChiKeystring"), "QTBSBXVTEAMEQO-UHFFFAOYSA-N");
}

// Only a text answer's closing line end goes: it would reach UniChem's address as "%0A".
TEST_F(LookupServer, AnAnswersClosingLineEndIsNoPartOfTheFieldNorOfTheUniChemAddress) {
  server.answer("/rest/pug/compound/name/x/property/IsomericSMILES/TXT", 200, "A\nB\n\n");
  server.answer("/rest/pug/compound/name/x/property/InChIKey/TXT", 200, "ABC-N\r\n");
  lookUp("PubChem", "x");
  h.press(pane, "getSMILES:");
  h.drainMainQueue();
  EXPECT_EQ(text("smilesString") + "|" + text("inChiKeystring"), "A\nB\n|ABC-N");
  h.press(pane, "searchUnichem:");
  EXPECT_THAT(h.opened(), ElementsAre(::testing::HasSubstr("queryText=ABC-N&kind=")));
}

TEST_F(LookupServer, SilentServerLeavesTheOtherActionsWorking) {
  h.setUrlSessionFactory({});  // the real session, one worker per request
  server.hold();
  server.answer(kAcetic + "/smiles", 200, "CC(O)=O");
  server.answer(kAcetic + "/stdinchikey", 200, "QTBSBXVTEAMEQO-UHFFFAOYSA-N");
  setText("queryString", "acetic acid");
  h.press(pane, "getSMILES:");
  ASSERT_TRUE(h.waitFor([&] { return server.targets().size() == 2; }));
  // While both requests hang, the picture and the 2D depiction still work.
  h.press(pane, "cirSearch:");
  EXPECT_EQ(webLoads().back(), server.host() + kAcetic + "/image");
  setText("smilesString", "c1ccccc1");
  h.press(pane, "loadTestImage:");
  EXPECT_TRUE(fileExists(scratch("myjunk.png")));
  server.release();
  // Both answers are in the fields before any worker may outlive the test.
  ASSERT_TRUE(h.waitFor([&] {
    return text("smilesString") == "CC(O)=O" &&
           text("inChiKeystring") == "QTBSBXVTEAMEQO-UHFFFAOYSA-N";
  }));
}

// Requests still waiting for the server when the harness goes (as when the program quits) are
// cut off: no completion runs later against the harness or the pane, and nothing waits for the
// server. A fresh harness points every service at a closed port, never at the public hosts.
TEST(LookupRequests, RequestsInFlightEndWithTheHarnessWhoseHostsStartClosed) {
  LocalServer server;
  server.answer("/late", 200, "late");
  server.hold();
  auto answered = std::make_shared<std::atomic<int>>(0);
  {
    headless::Harness h;
    for (auto* host : {&h.serviceHosts().cir, &h.serviceHosts().pubchem,
                       &h.serviceHosts().pdbImages, &h.serviceHosts().unichem})
      EXPECT_EQ(*host, headless::kClosedServiceHost);
    h.serviceHosts().cir = server.host();
    auto& pane = h.make<seekerController>("seekerController");
    h.field(pane, "queryString").setText("acetic acid");
    h.press(pane, "getSMILES:");
    fetchText(h, h.makeUrlSession(), server.host() + "/late",
              [answered](const std::string&) { ++*answered; });
    ASSERT_TRUE(h.waitFor([&] { return server.targets().size() == 3; }));
  }
  server.release();
  // A completion that outlived the harness would run within moments of the answer.
  auto deadline = LocalServer::Clock::now() + std::chrono::milliseconds(300);
  while (*answered == 0 && LocalServer::Clock::now() < deadline) std::this_thread::yield();
  EXPECT_EQ(*answered, 0);
}

// A completion still running (a slow disk under an append) holds up no other request's start,
// which may come from the main thread: the window never waits on it.
TEST(LookupRequests, AStartNeverWaitsForAnotherRequestsCompletion) {
  LocalServer server;
  server.answer("/slow", 200, "slow");
  server.answer("/quick", 200, "quick");
  std::mutex mutex;
  std::condition_variable changed;
  bool entered = false, released = false, quickAnswered = false;
  headless::Harness h;  // goes first, joining the workers that use the above
  fetchText(h, h.makeUrlSession(), server.host() + "/slow", [&](const std::string&) {
    std::unique_lock lock(mutex);
    entered = true;
    changed.notify_all();
    changed.wait_for(lock, std::chrono::seconds(5), [&] { return released; });
  });
  {
    std::unique_lock lock(mutex);
    ASSERT_TRUE(changed.wait_for(lock, std::chrono::seconds(5), [&] { return entered; }));
  }
  auto before = LocalServer::Clock::now();
  fetchText(h, h.makeUrlSession(), server.host() + "/quick", [&](const std::string&) {
    std::lock_guard lock(mutex);
    quickAnswered = true;
    changed.notify_all();
  });
  EXPECT_LT(LocalServer::Clock::now() - before, std::chrono::seconds(1));
  std::unique_lock lock(mutex);
  EXPECT_TRUE(changed.wait_for(lock, std::chrono::seconds(5), [&] { return quickAnswered; }));
  released = true;
  changed.notify_all();
}

// An answer of exactly 64 MiB is still taken whole, whether the server says its size first or
// not; the viewer's tests send one byte more.
TEST(LookupRequests, AnAnswerOfExactly64MiBArrivesWhole) {
  const size_t limit = size_t{64} << 20;
  LocalServer server([&](const std::string& path) -> ServerAnswer {
    return {200, std::string(limit, 'C'), {}, "", path == "/chunked"};
  });
  for (const std::string path : {"/sized", "/chunked"}) {
    auto response = platform::curl::CurlUrlSession::fetch(server.host() + path);
    EXPECT_EQ(response.body.value_or("").size(), limit) << path << response.error.value_or("");
  }
}

}  // namespace
}  // namespace molbench::testing
