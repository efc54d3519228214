// The format lists and option tables of the conversion and search panes. One constant copy
// serves both panes; each pane fills its own popups from it, so a pick in one pane never
// changes the other.
#pragma once

#include <string>
#include <vector>

namespace molbench {

using Titles = std::vector<std::string>;

struct FormatTables {
  Titles iFileTypes;  // 147 rows: "autodetect from extension", then "code -- description"
  Titles oFileTypes;  // 135 rows

  Titles inputMenuRead, inputMenuCif, inputMenuMdl, inputMenuInchi, inputMenuSmiles,
      inputMenuMol2;
  Titles outputMenuCml, outputMenuCmlreact, outputMenuFasta, outputMenuFpt, outputMenuMop,
      outputMenuMdl, outputMenuMpd, outputMenuSmi, outputMenuCan, outputMenuPov,
      outputMenuPubchem, outputMenuChemDo, outputMenuSybmol2, outputMenuPdb, outputMenuPng,
      outputMenuInchi;

  Titles smartConvertmenuoptions;  // "Choose", "matching", "not_matching"
  Titles hydrogensMenu;

  // The option table that a whole input-format (output-format) row loads, or nullptr.
  const Titles* inputOptionsFor(const std::string& formatRow) const;
  const Titles* outputOptionsFor(const std::string& formatRow) const;
};

const FormatTables& formatTables();

inline constexpr const char* kAutodetectRow = "autodetect from extension";
inline constexpr const char* kOptionsRow = "Options";
inline constexpr const char* kChooseRow = "Choose";

}  // namespace molbench
