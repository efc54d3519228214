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

  Titles inputMenuRead, inputMenuCif, inputMenuMdl, inputMenuInchi, inputMenuSmiles, inputMenuMol2;
  // The ACR format reads "-as" but not "-ab": inputMenuRead without its second row.
  Titles inputMenuSingleBonds;
  Titles outputMenuCml, outputMenuCmlreact, outputMenuFasta, outputMenuFpt, outputMenuMop,
      outputMenuMdl, outputMenuMpd, outputMenuSmi, outputMenuCan, outputMenuPov, outputMenuPubchem,
      outputMenuChemDo, outputMenuSybmol2, outputMenuPdb, outputMenuPng, outputMenuInchi;

  Titles smartConvertmenuoptions;  // "Choose", "matching", "not_matching"
  Titles hydrogensMenu;

  // The option table that an input-format (output-format) row loads, or nullptr. Looked up by
  // the row's format code, so rewording a description never unhooks its table.
  const Titles* inputOptionsFor(const std::string& formatRow) const;
  const Titles* outputOptionsFor(const std::string& formatRow) const;
  const Titles* inputOptionsForCode(const std::string& code) const;
  const Titles* outputOptionsForCode(const std::string& code) const;
};

const FormatTables& formatTables();

// The description obabel gives the format of a code, matched without regard to case; "" for no
// format. Codes of one format share it ("sdf", "sd", "mol" and "mdl": "MDL MOL format").
std::string formatDescription(const std::string& code);

// The format lists and option tables under the names the conversion and search panes give
// them; each pane inherits them and fills only its own popups from them.
struct FormatTableNames {
  const Titles& iFileTypes = formatTables().iFileTypes;
  const Titles& oFileTypes = formatTables().oFileTypes;
  const Titles& inputMenuRead = formatTables().inputMenuRead;
  const Titles& inputMenuCif = formatTables().inputMenuCif;
  const Titles& inputMenuMdl = formatTables().inputMenuMdl;
  const Titles& inputMenuInchi = formatTables().inputMenuInchi;
  const Titles& inputMenuSmiles = formatTables().inputMenuSmiles;
  const Titles& inputMenuMol2 = formatTables().inputMenuMol2;
  const Titles& outputMenuCml = formatTables().outputMenuCml;
  const Titles& outputMenuCmlreact = formatTables().outputMenuCmlreact;
  const Titles& outputMenuFasta = formatTables().outputMenuFasta;
  const Titles& outputMenuFpt = formatTables().outputMenuFpt;
  const Titles& outputMenuMop = formatTables().outputMenuMop;
  const Titles& outputMenuMdl = formatTables().outputMenuMdl;
  const Titles& outputMenuMpd = formatTables().outputMenuMpd;
  const Titles& outputMenuSmi = formatTables().outputMenuSmi;
  const Titles& outputMenuCan = formatTables().outputMenuCan;
  const Titles& outputMenuPov = formatTables().outputMenuPov;
  const Titles& outputMenuPubchem = formatTables().outputMenuPubchem;
  const Titles& outputMenuChemDo = formatTables().outputMenuChemDo;
  const Titles& outputMenuSybmol2 = formatTables().outputMenuSybmol2;
  const Titles& outputMenuPdb = formatTables().outputMenuPdb;
  const Titles& outputMenuPng = formatTables().outputMenuPng;
  const Titles& outputMenuInchi = formatTables().outputMenuInchi;
};

inline constexpr const char* kAutodetectRow = "autodetect from extension";
inline constexpr const char* kOptionsRow = "Options";
inline constexpr const char* kChooseRow = "Choose";

}  // namespace molbench
