// The lookup pane in a fresh headless world whose service hosts are fixed test addresses.
#pragma once

#include <stdlib.h>

#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "PaneFixture.h"
#include "lookup/seekerController.h"

namespace molbench::testing {

// A URL session that records the addresses it is asked for and never answers.
class RecordingSession : public platform::UrlSession {
 public:
  void get(const std::string& url, std::function<void(const platform::UrlResponse&)>) override {
    std::lock_guard lock(mutex_);
    urls_.push_back(url);
  }
  std::vector<std::string> urls() const {
    std::lock_guard lock(mutex_);
    return urls_;
  }

 private:
  mutable std::mutex mutex_;
  std::vector<std::string> urls_;
};

// obabel's --gen3D runs OpenMP threads that spin while they wait: on a machine busy with other
// work a small molecule then takes minutes instead of a tenth of a second.
inline void keepObabelOnOneThread() { ::setenv("OMP_NUM_THREADS", "1", 0); }

class LookupTest : public PaneTest<seekerController> {
 protected:
  LookupTest() : PaneTest("seekerController") { keepObabelOnOneThread(); }

  void useRecordingSession() {
    h.setUrlSessionFactory([this] { return recorder; });
  }
  void pointHostsAt(const std::string& host) {
    auto& hosts = h.serviceHosts();
    hosts.cir = hosts.pubchem = hosts.pdbImages = hosts.unichem = host;
  }
  void lookUp(const std::string& engine, const std::string& query) {
    h.choose(pane, "queryEngine", engine);
    setText("queryString", query);
  }
  std::vector<std::string> webLoads() { return h.loads(pane, "molView"); }

  std::shared_ptr<RecordingSession> recorder = std::make_shared<RecordingSession>();
};

}  // namespace molbench::testing
