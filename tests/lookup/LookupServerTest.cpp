// The text lookup against a real HTTP server on 127.0.0.1: answers reach the fields only
// through the main queue, error answers fill nothing, and a silent server blocks nothing.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "LocalServer.h"
#include "LookupFixture.h"
#include "platform/curl/CurlUrlSession.h"

namespace molbench::testing {
namespace {

// The real session, counting the completions that have returned.
class CountingSession : public platform::UrlSession {
 public:
  void get(const std::string& url,
           std::function<void(const platform::UrlResponse&)> completion) override {
    ++started;
    // The count outlives the session, since a worker may still be finishing when a test ends.
    inner_.get(url, [count = finished, completion](const platform::UrlResponse& response) {
      completion(response);
      ++*count;
    });
  }
  std::atomic<int> started = 0;
  std::shared_ptr<std::atomic<int>> finished = std::make_shared<std::atomic<int>>(0);

 private:
  platform::curl::CurlUrlSession inner_;
};

constexpr const char* kSmilesTarget = "/chemical/structure/acetic%20acid/smiles";
constexpr const char* kInchiTarget = "/chemical/structure/acetic%20acid/stdinchikey";

class LookupServer : public LookupTest {
 protected:
  LookupServer() {
    pointHostsAt(server.host());
    h.setUrlSessionFactory([this] { return session; });
    setText("queryString", "acetic acid");
  }
  // Also after a failed assertion: no completion may outlive the harness it reports to.
  ~LookupServer() override {
    server.release();
    completionsReturned(session->started);
  }
  bool completionsReturned(int count) {
    for (int i = 0; i < 1000 && *session->finished < count; ++i)
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    return *session->finished == count;
  }
  int errorLines() {
    int count = 0;
    for (const auto& line : h.diagnostics()) count += line == "error calling GET";
    return count;
  }

  LocalServer server;
  std::shared_ptr<CountingSession> session = std::make_shared<CountingSession>();
};

TEST_F(LookupServer, AnswersFillTheFieldsOnlyOnTheMainQueue) {
  server.answer(kSmilesTarget, 200, "CC(O)=O\n");
  server.answer(kInchiTarget, 200, "InChIKey=QTBSBXVTEAMEQO-UHFFFAOYSA-N");
  setText("smilesString", "old");
  setText("inChiKeystring", "old");
  h.press(pane, "getSMILES:");
  EXPECT_EQ(text("smilesString"), "");
  EXPECT_EQ(text("inChiKeystring"), "");

  ASSERT_TRUE(completionsReturned(2));
  // Both answers have been handled on the workers, yet no field changed there.
  EXPECT_EQ(text("smilesString"), "");
  EXPECT_EQ(text("inChiKeystring"), "");
  EXPECT_EQ(h.drainMainQueue(), 2);
  EXPECT_EQ(text("smilesString"), "CC(O)=O\n");
  EXPECT_EQ(text("inChiKeystring"), "QTBSBXVTEAMEQO-UHFFFAOYSA-N");
}

TEST_F(LookupServer, ErrorAnswersFillNothingAndPrintTheErrorLine) {
  server.answer(kSmilesTarget, 500, "Internal Server Error");
  // The InChIKey target is not scripted: the server says 404 with a page of text.
  h.press(pane, "getSMILES:");
  ASSERT_TRUE(completionsReturned(2));
  EXPECT_EQ(h.drainMainQueue(), 0);
  EXPECT_EQ(text("smilesString"), "");
  EXPECT_EQ(text("inChiKeystring"), "");
  EXPECT_EQ(errorLines(), 2);
}

TEST_F(LookupServer, SilentServerLeavesTheOtherActionsWorking) {
  server.hold();
  server.answer(kSmilesTarget, 200, "CC(O)=O");
  server.answer(kInchiTarget, 200, "QTBSBXVTEAMEQO-UHFFFAOYSA-N");
  h.press(pane, "getSMILES:");
  ASSERT_TRUE(h.waitFor([&] { return server.targets().size() == 2; }));

  // While both requests hang, the picture and the 2D depiction still work.
  h.press(pane, "cirSearch:");
  EXPECT_EQ(webLoads().back(), server.host() + "/chemical/structure/acetic%20acid/image");
  setText("smilesString", "c1ccccc1");
  h.press(pane, "loadTestImage:");
  EXPECT_TRUE(fileExists(scratch("myjunk.png")));
  EXPECT_EQ(text("inChiKeystring"), "");

  server.release();
  EXPECT_TRUE(h.waitFor([&] { return text("inChiKeystring") == "QTBSBXVTEAMEQO-UHFFFAOYSA-N"; }));
  EXPECT_TRUE(h.waitFor([&] { return text("smilesString") == "CC(O)=O"; }));
}

}  // namespace
}  // namespace molbench::testing
