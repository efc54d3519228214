// The lookup pane in a fresh headless world.
#pragma once

#include <stdlib.h>

#include <string>
#include <vector>

#include "PaneFixture.h"
#include "lookup/seekerController.h"

namespace molbench::testing {

// obabel's --gen3D runs OpenMP threads that spin while they wait: on a machine busy with other
// work a small molecule then takes minutes instead of a tenth of a second.
inline void keepObabelOnOneThread() { ::setenv("OMP_NUM_THREADS", "1", 0); }

class LookupTest : public PaneTest<seekerController> {
 protected:
  LookupTest() : PaneTest("seekerController") { keepObabelOnOneThread(); }

  void pointHostsAt(const std::string& host) {
    auto& hosts = h.serviceHosts();
    hosts.cir = hosts.pubchem = hosts.pdbImages = hosts.unichem = host;
  }
  void lookUp(const std::string& engine, const std::string& query) {
    h.choose(pane, "queryEngine", engine);
    setText("queryString", query);
  }
  std::vector<std::string> webLoads() { return h.loads(pane, "molView"); }
};

}  // namespace molbench::testing
