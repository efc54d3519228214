#include "lookup/LookupEngines.h"

#include "common/WebRequests.h"

namespace molbench {

namespace {

using Hosts = platform::ServiceHosts;

const std::vector<EngineRow>& engineTable() {
  static const std::vector<EngineRow> rows = {
      {"CIR", kCirCode, &Hosts::cir, "/chemical/structure/", "/image", "/smiles", "/stdinchikey"},
      {"PubChem", kPubchemCode, &Hosts::pubchem, kPubchemNamePath, kPngSuffix,
       kIsomericSmilesSuffix, kInchiKeySuffix},
      {"PDB", kPdbCode, &Hosts::pdbImages, "/images/rutgers/", ".pdb1-500.jpg", nullptr, nullptr},
  };
  return rows;
}

}  // namespace

const std::vector<std::string>& searchEngineTitles() {
  static const std::vector<std::string> titles = [] {
    std::vector<std::string> result;
    for (const auto& row : engineTable()) result.push_back(row.title);
    return result;
  }();
  return titles;
}

const EngineRow* engineRowForTitle(const std::string& title) {
  for (const auto& row : engineTable())
    if (title == row.title) return &row;
  return nullptr;
}

const EngineRow* engineRowForCode(const std::string& code) {
  for (const auto& row : engineTable())
    if (code == row.code) return &row;
  return nullptr;
}

std::string engineLinkFor(const EngineRow& row, const platform::ServiceHosts& hosts) {
  return hosts.*(row.host) + row.basePath;
}

}  // namespace molbench
