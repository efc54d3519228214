// The lookup pane in a fresh headless world.
#pragma once

#include <string>
#include <vector>

#include "PaneFixture.h"
#include "lookup/seekerController.h"

namespace molbench::testing {

class LookupTest : public PaneTest<seekerController> {
 protected:
  LookupTest() : PaneTest("seekerController") {}

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
