// The lookup pane's services: the engine popup's titles and, per engine, where its addresses
// start and what follows the encoded query.
#pragma once

#include <string>
#include <vector>

#include "platform/ServiceHosts.h"

namespace molbench {

struct EngineRow {
  const char* title;  // the engine popup's title
  const char* code;   // the pane's searchEngine
  std::string platform::ServiceHosts::*host;
  const char* basePath;  // follows the host in engineLink, ends in "/"
  const char* molRepresention;
  // What follows the query in the text requests; null where the service has no such address
  // (the PDB image store), so the pieces of the engine chosen before stay.
  const char* molSMILES;
  const char* molInhikey;
};

inline constexpr const char* kCirCode = "CIR";
inline constexpr const char* kPubchemCode = "PUB";
inline constexpr const char* kPdbCode = "PDB";

// "CIR", "PubChem", "PDB": the popup's rows in order.
const std::vector<std::string>& searchEngineTitles();

// The row whose title equals the text exactly; null for none.
const EngineRow* engineRowForTitle(const std::string& title);
// The row of an engine code; null for none.
const EngineRow* engineRowForCode(const std::string& code);

// The row's base address on the given hosts: host and base path.
std::string engineLinkFor(const EngineRow& row, const platform::ServiceHosts& hosts);

}  // namespace molbench
