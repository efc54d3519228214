#include "common/FormatTables.h"

namespace molbench {

// The rows are filled in with the conversion pane.
const FormatTables& formatTables() {
  static const FormatTables tables = [] {
    FormatTables t;
    t.iFileTypes = {kAutodetectRow};
    t.oFileTypes = {kAutodetectRow};
    t.smartConvertmenuoptions = {"Choose", "matching", "not_matching"};
    return t;
  }();
  return tables;
}

const Titles* FormatTables::inputOptionsFor(const std::string&) const { return nullptr; }
const Titles* FormatTables::outputOptionsFor(const std::string&) const { return nullptr; }

}  // namespace molbench
