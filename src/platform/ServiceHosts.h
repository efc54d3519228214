// The public chemistry web services the panes talk to, each as "https://" and its host. Panes
// read them from their Platform at the moment they compose an address, so tests can point
// them at a server on 127.0.0.1.
#pragma once

#include <string>

namespace molbench::platform {

struct ServiceHosts {
  std::string cir = "https://cactus.nci.nih.gov";
  std::string pubchem = "https://pubchem.ncbi.nlm.nih.gov";
  std::string pdbImages = "https://cdn.rcsb.org";
  std::string unichem = "https://www.ebi.ac.uk";
};

}  // namespace molbench::platform
