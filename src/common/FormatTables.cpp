#include "common/FormatTables.h"

#include <cctype>
#include <initializer_list>
#include <utility>

#include "common/PopupHelpers.h"

// Format rows are "code -- description"; the descriptions follow what obabel -L formats says.
// Option rows are "token  description"; the token is what reaches the command line.

namespace molbench {

namespace {

// One description per format code, so a code offered on both sides reads the same on both.
const std::vector<std::pair<std::string, std::string>>& formatDescriptions() {
  static const std::vector<std::pair<std::string, std::string>> descriptions = {
      {"abinit", "ABINIT Output Format"},
      {"acesin", "ACES input format"},
      {"acesout", "ACES output format"},
      {"acr", "ACR format"},
      {"adf", "ADF cartesian input format"},
      {"adfband", "ADF Band output format"},
      {"adfdftb", "ADF DFTB output format"},
      {"adfout", "ADF output format"},
      {"alc", "Alchemy format"},
      {"aoforce", "Turbomole AOFORCE output format"},
      {"arc", "Accelrys/MSI Biosym/Insight II CAR format"},
      {"ascii", "ASCII format"},
      {"axsf", "XCrySDen Structure Format"},
      {"bgf", "MSI BGF format"},
      {"box", "Dock 3.5 Box format"},
      {"bs", "Ball and Stick format"},
      {"c09out", "Crystal 09 output format"},
      {"c3d1", "Chem3D Cartesian 1 format"},
      {"c3d2", "Chem3D Cartesian 2 format"},
      {"cac", "CAChe MolStruct format"},
      {"caccrt", "Cacao Cartesian format"},
      {"cache", "CAChe MolStruct format"},
      {"cacint", "Cacao Internal format"},
      {"can", "Canonical SMILES format"},
      {"car", "Accelrys/MSI Biosym/Insight II CAR format"},
      {"castep", "CASTEP format"},
      {"ccc", "CCC format"},
      {"cdjson", "ChemDoodle JSON"},
      {"cdx", "ChemDraw binary format"},
      {"cdxml", "ChemDraw CDXML format"},
      {"cht", "Chemtool format"},
      {"cif", "Crystallographic Information File"},
      {"ck", "ChemKin format"},
      {"cml", "Chemical Markup Language"},
      {"cmlr", "CML Reaction format"},
      {"cof", "Culgi object file format"},
      {"com", "Gaussian Input"},
      {"confabreport", "Confab report format"},
      {"CONFIG", "DL-POLY CONFIG"},
      {"CONTCAR", "VASP format"},
      {"CONTFF", "MDFF format"},
      {"copy", "Copy raw text"},
      {"crk2d", "Chemical Resource Kit diagram(2D)"},
      {"crk3d", "Chemical Resource Kit 3D format"},
      {"csr", "Accelrys/MSI Quanta CSR format"},
      {"cssr", "CSD CSSR format"},
      {"ct", "ChemDraw Connection Table format"},
      {"cub", "Gaussian cube format"},
      {"cube", "Gaussian cube format"},
      {"dallog", "DALTON output format"},
      {"dalmol", "DALTON input format"},
      {"dat", "Generic Output file format"},
      {"dmol", "DMol3 coordinates format"},
      {"dx", "OpenDX cube format for APBS"},
      {"ent", "Protein Data Bank format"},
      {"exyz", "Extended XYZ cartesian coordinates format"},
      {"fa", "FASTA format"},
      {"fasta", "FASTA format"},
      {"fch", "Gaussian formatted checkpoint file format"},
      {"fchk", "Gaussian formatted checkpoint file format"},
      {"fck", "Gaussian formatted checkpoint file format"},
      {"feat", "Feature format"},
      {"fh", "Fenske-Hall Z-Matrix format"},
      {"fhiaims", "FHIaims XYZ format"},
      {"fix", "SMILES FIX format"},
      {"fps", "FPS text fingerprint format"},
      {"fpt", "Fingerprint format"},
      {"fract", "Free Form Fractional format"},
      {"fs", "Fastsearch format"},
      {"fsa", "FASTA format"},
      {"g03", "Gaussian Output"},
      {"g09", "Gaussian Output"},
      {"g16", "Gaussian Output"},
      {"g92", "Gaussian Output"},
      {"g94", "Gaussian Output"},
      {"g98", "Gaussian Output"},
      {"gal", "Gaussian Output"},
      {"gam", "GAMESS Output"},
      {"gamess", "GAMESS Output"},
      {"gamin", "GAMESS Input"},
      {"gamout", "GAMESS Output"},
      {"gau", "Gaussian Input"},
      {"gjc", "Gaussian Input"},
      {"gjf", "Gaussian Input"},
      {"got", "GULP format"},
      {"gpr", "Ghemical format"},
      {"gr96", "GROMOS96 format"},
      {"gro", "GRO format"},
      {"gukin", "GAMESS-UK Input"},
      {"gukout", "GAMESS-UK Output"},
      {"gzmat", "Gaussian Z-Matrix Input"},
      {"hin", "HyperChem HIN format"},
      {"HISTORY", "DL-POLY HISTORY"},
      {"inchi", "InChI format"},
      {"inchikey", "InChIKey"},
      {"inp", "GAMESS Input"},
      {"ins", "ShelX format"},
      {"jin", "Jaguar input format"},
      {"jout", "Jaguar output format"},
      {"k", "Compare molecules using InChI"},
      {"lmpdat", "LAMMPS data format"},
      {"log", "Generic Output file format"},
      {"lpmd", "LPMD format"},
      {"mcdl", "MCDL format"},
      {"mae", "Maestro format"},
      {"maegz", "Maestro format"},
      {"mcif", "Macromolecular Crystallographic Info"},
      {"MDFF", "MDFF format"},
      {"mdl", "MDL MOL format"},
      {"ml2", "Sybyl Mol2 format"},
      {"mmcif", "Macromolecular Crystallographic Info"},
      {"mmd", "MacroModel format"},
      {"mmod", "MacroModel format"},
      {"mna", "Multilevel Neighborhoods of Atoms (MNA)"},
      {"mol", "MDL MOL format"},
      {"mol2", "Sybyl Mol2 format"},
      {"mold", "Molden format"},
      {"molden", "Molden format"},
      {"molf", "Molden format"},
      {"molreport", "Open Babel molecule report"},
      {"moo", "MOPAC Output format"},
      {"mop", "MOPAC Cartesian format"},
      {"mopcrt", "MOPAC Cartesian format"},
      {"mopin", "MOPAC Internal"},
      {"mopout", "MOPAC Output format"},
      {"mp", "Molpro input format"},
      {"mpc", "MOPAC Cartesian format"},
      {"mpd", "MolPrint2D format"},
      {"mpo", "Molpro output format"},
      {"mpqc", "MPQC output format"},
      {"mpqcin", "MPQC simplified input format"},
      {"mrv", "Chemical Markup Language"},
      {"msi", "Accelrys/MSI Cerius II MSI format"},
      {"msms", "MSMS input format"},
      {"nul", "Outputs nothing"},
      {"nw", "NWChem input format"},
      {"nwo", "NWChem output format"},
      {"orca", "ORCA output format"},
      {"orcainp", "ORCA input format"},
      {"out", "Generic Output file format"},
      {"outmol", "DMol3 coordinates format"},
      {"output", "Generic Output file format"},
      {"paint", "Painter format"},
      {"pc", "PubChem format"},
      {"pcjson", "PubChem JSON"},
      {"pcm", "PCModel Format"},
      {"pdb", "Protein Data Bank format"},
      {"pdbqt", "AutoDock PDBQT format"},
      {"png", "PNG 2D depiction"},
      {"pointcloud", "Point cloud on VDW surface"},
      {"pos", "POS cartesian coordinates format"},
      {"POSCAR", "VASP format"},
      {"POSFF", "MDFF format"},
      {"pov", "POV-Ray input format"},
      {"pqr", "PQR format"},
      {"pqs", "Parallel Quantum Solutions format"},
      {"prep", "Amber Prep format"},
      {"pwscf", "PWscf format"},
      {"qcin", "Q-Chem input format"},
      {"qcout", "Q-Chem output format"},
      {"report", "Open Babel report format"},
      {"res", "ShelX format"},
      {"rinchi", "RInChI"},
      {"rsmi", "Reaction SMILES format"},
      {"rxn", "MDL RXN format"},
      {"sd", "MDL MOL format"},
      {"sdf", "MDL MOL format"},
      {"siesta", "SIESTA format"},
      {"smi", "SMILES format"},
      {"smiles", "SMILES format"},
      {"smy", "SMILES format using Smiley parser"},
      {"stl", "STL 3D-printing format"},
      {"svg", "SVG 2D depiction"},
      {"sy2", "Sybyl Mol2 format"},
      {"t41", "ADF TAPE41 format"},
      {"tdd", "Thermo format"},
      {"text", "Read and write raw text"},
      {"therm", "Thermo format"},
      {"tmol", "TurboMole Coordinate format"},
      {"txt", "Title format"},
      {"txyz", "Tinker XYZ format"},
      {"unixyz", "UniChem XYZ format"},
      {"VASP", "VASP format"},
      {"vmol", "ViewMol format"},
      {"wln", "Wiswesser Line Notation"},
      {"xed", "XED format"},
      {"xml", "General XML format"},
      {"xsf", "XCrySDen Structure Format"},
      {"xyz", "XYZ cartesian coordinates format"},
      {"yob", "YASARA.org YOB format"},
      {"zin", "ZINDO input format"},
  };
  return descriptions;
}

// Rows 1 onward: "code -- description", in the order of the codes given.
Titles formatRows(std::initializer_list<const char*> codes) {
  Titles rows = {kAutodetectRow};
  for (const char* code : codes) {
    for (const auto& [known, description] : formatDescriptions()) {
      if (known == code) {
        rows.push_back(known + " -- " + description);
        break;
      }
    }
  }
  return rows;
}

FormatTables buildTables() {
  FormatTables t;
  t.iFileTypes = formatRows({
      "abinit",  "acesout", "acr",     "adfband", "adfdftb", "adfout", "alc",     "aoforce",
      "arc",     "axsf",    "bgf",     "box",     "bs",      "c09out", "c3d1",    "c3d2",
      "caccrt",  "can",     "car",     "castep",  "ccc",     "cdjson", "cdx",     "cdxml",
      "cif",     "ck",      "cml",     "cmlr",    "cof",     "CONFIG", "CONTCAR", "CONTFF",
      "crk2d",   "crk3d",   "ct",      "cub",     "cube",    "dallog", "dalmol",  "dat",
      "dmol",    "dx",      "ent",     "exyz",    "fa",      "fasta",  "fch",     "fchk",
      "fck",     "feat",    "fhiaims", "fract",   "fs",      "fsa",    "g03",     "g09",
      "g16",     "g92",     "g94",     "g98",     "gal",     "gam",    "gamess",  "gamin",
      "gamout",  "got",     "gpr",     "gro",     "gukin",   "gukout", "gzmat",   "hin",
      "HISTORY", "inchi",   "inp",     "ins",     "jin",     "jout",   "log",     "lpmd",
      "mcdl",    "mcif",    "MDFF",    "mdl",     "ml2",     "mmcif",  "mmd",     "mmod",
      "mol",     "mol2",    "mold",    "molden",  "molf",    "moo",    "mop",     "mopcrt",
      "mopin",   "mopout",  "mpc",     "mpo",     "mpqc",    "mrv",    "msi",     "nwo",
      "orca",    "out",     "outmol",  "output",  "pc",      "pcjson", "pcm",     "pdb",
      "pdbqt",   "png",     "pos",     "POSCAR",  "POSFF",   "pqr",    "pqs",     "prep",
      "pwscf",   "qcout",   "res",     "rsmi",    "rxn",     "sd",     "sdf",     "siesta",
      "smi",     "smiles",  "smy",     "sy2",     "t41",     "tdd",    "text",    "therm",
      "tmol",    "txt",     "txyz",    "unixyz",  "VASP",    "vmol",   "xml",     "xsf",
      "xyz",     "yob",
  });
  t.oFileTypes = formatRows({
      "acesin", "adf",     "alc",    "ascii",     "bgf",     "box",    "bs",     "c3d1",
      "c3d2",   "cac",     "caccrt", "cache",     "cacint",  "can",    "cdjson", "cdxml",
      "cht",    "cif",     "ck",     "cml",       "cmlr",    "cof",    "com",    "confabreport",
      "CONFIG", "CONTCAR", "CONTFF", "copy",      "crk2d",   "crk3d",  "csr",    "cssr",
      "ct",     "cub",     "cube",   "dalmol",    "dmol",    "dx",     "ent",    "exyz",
      "fa",     "fasta",   "feat",   "fh",        "fhiaims", "fix",    "fps",    "fpt",
      "fract",  "fs",      "fsa",    "gamin",     "gau",     "gjc",    "gjf",    "gpr",
      "gr96",   "gro",     "gukin",  "gukout",    "gzmat",   "hin",    "inchi",  "inchikey",
      "inp",    "jin",     "k",      "lmpdat",    "lpmd",    "mcdl",   "mcif",   "MDFF",
      "mdl",    "ml2",     "mmcif",  "mmd",       "mmod",    "mna",    "mol",    "mol2",
      "mold",   "molden",  "molf",   "molreport", "mop",     "mopcrt", "mopin",  "mp",
      "mpc",    "mpd",     "mpqcin", "mrv",       "msms",    "nul",    "nw",     "orcainp",
      "outmol", "paint",   "pcjson", "pcm",       "pdb",     "pdbqt",  "png",    "pointcloud",
      "POSCAR", "POSFF",   "pov",    "pqr",       "pqs",     "qcin",   "report", "rinchi",
      "rsmi",   "rxn",     "sd",     "sdf",       "smi",     "smiles", "stl",    "svg",
      "sy2",    "tdd",     "text",   "therm",     "tmol",    "txt",    "txyz",   "unixyz",
      "VASP",   "vmol",    "xed",    "xyz",       "yob",     "zin",
  });
  t.inputMenuRead = {
      "Options",
      "-as  Output single bonds only",
      "-ab  Disable bonding entirely",
  };
  t.inputMenuSingleBonds = {t.inputMenuRead[0], t.inputMenuRead[1]};
  t.inputMenuCif = {
      "Options",
      "-as  Output single bonds only",
      "-ab  Disable bonding entirely",
      "-aB use bonds in file",
  };
  t.inputMenuMdl = {
      "Options",
      "-as determine chirality ",
      "-aS do not read stereochemistry from 0D MOL files",
      "-aT  title only",
      "-aP title and properties only",
  };
  t.inputMenuInchi = {
      "Options",
      "-an molecule name follows InChi",
  };
  // Every option row starts with a dash: a bare word would make obabel open a file of that
  // name.
  t.inputMenuSmiles = {
      "Options",
      "-aa Preserve aromaticity present in the SMILES",
      "-aS Clean stereochemistry",
  };
  t.inputMenuMol2 = {
      "-ac Read UCSF Dock scores saved in comments preceding molecules",
  };
  t.outputMenuCml = {
      "Options",        "-x1 write CML1",       "-xa write array",
      "-xA not kekule", "-xm write metadata",   "-xx omit XML",
      "-xc no format",  "-xp write properties",
  };
  t.outputMenuCmlreact = {
      "Options",
      "-xx omit XML declaration",
  };
  t.outputMenuFasta = {
      "Options",
      "-xn omit title and comments",
  };
  t.outputMenuFpt = {
      "Options",
      "-xfFP2 fingerprint type FP2",
      "-xfFP3 fingerprint type FP3",
      "-xfFP4 fingerprint type FP4",
  };
  t.outputMenuMop = {
      "Options",
      "-xu write unit cell",
  };
  t.outputMenuMdl = {
      "Options",
      "-x3  output V3000 (used for >999 atoms/bonds)",
      "-xa    write atomclass if available",
      "-xm Write no properties",
      "-xv    always specify the valence in the valence field",
      "-xA  output in Alias form",
      "-xS    do not store cis/trans stereochemistry in 0D MOL files",
      "-xE    add an ASCII depiction of the molecule as a property",
      "-xH    use HYD extension (always on if mol contains zero-order bonds)",
  };
  t.outputMenuMpd = {
      "Options",
      "-xn prefix molecule names with name of file",
      "-xc use XML style separators",
      "-xi use IDX atom types of babel internal",
  };
  t.outputMenuSmi = {
      "Options",
      "-xc Canonical form",
      "-xn No molecule name",
      "-xt Only molecule name",
      "-xa Output atomclass",
      "-xh Explicit hydrogens",
      "-xi Exclude chirality",
      "-xr Radicals lower case",
      "-xU Universal SMILES",
      "-xI Inchified SMILES",
      "-xk Create Kekule SMILES instead of aromatic",
      "-xR Do not reuse bond closure symbols",
  };
  t.outputMenuCan = {
      "Options",
      "-xn No molecule name",
      "-xt Only molecule name",
  };
  t.outputMenuPov = {
      "Options", "-xc add checkerboard", "-xf add mirror sphere", "-xs add sky", "-xt transparent",
  };
  t.outputMenuPubchem = {
      "Options",
      "-xm    minified output",
      "-xw    use bond styles from input instead of perceived stereochemistry",
  };
  t.outputMenuChemDo = {
      "Options",
      "-xm    minified output",
      "-xv    verbose output",
      "-xw    use wedge/hash bonds from input instead of perceived stereochemistry",
  };
  t.outputMenuSybmol2 = {
      "Options",
      "-xl    Output ignores residue information ",
      "-xc    Write UCSF Dock scores saved in comments preceding molecules",
      "-xu    Do not write formal charge information in UNITY records",
  };
  t.outputMenuPdb = {
      "Options",
      "-xn    Do not write duplicate CONECT records to indicate bond order",
      "-xo    Write origin in space group label (CRYST1 section)",
  };
  t.outputMenuPng = {
      "Options",
      "-xC do not draw terminal C (and attached H) explicitly",
      "-xu no element-specific atom coloring",
      "-xd    do not display molecule name",
      "-xm do not add margins to the image",
      "-xA display aliases, if present",
  };
  t.outputMenuInchi = {
      "Options",
      "-xK    output InChIKey only",
      "-xt    add molecule name after InChI",
      "-xw    ignore less important warnings",
      "-xa    output auxiliary information",
      "-xl    display InChI log",
      "-xr    recalculate InChI",
      "-xs    recalculate wedge and hash bonds(2D structures only)",
      "-xu    output only unique molecules",
      "-xU    output only unique molecules and sort them",
      "-xe compare first molecule to others",
      "-xF    include fixed hydrogen layer",
      "-xM    include bonds to metal",
  };
  t.smartConvertmenuoptions = {
      "Choose",
      "matching",
      "not_matching",
  };
  t.hydrogensMenu = {
      "Choose",
      "-d Delete Hydrogens",
      "-h Add Hydrogens",
      "-p Add Hydrogens appropriate for pH",
      "--AddPolarH Add hydrogen to polar atoms",
  };
  return t;
}

using TableByCode = std::vector<std::pair<std::string, Titles FormatTables::*>>;

// The option table of a format code, or nullptr.
const Titles* lookUp(const FormatTables& tables, const TableByCode& mapping,
                     const std::string& code) {
  for (const auto& [key, table] : mapping)
    if (key == code) return &(tables.*table);
  return nullptr;
}

}  // namespace

std::string formatDescription(const std::string& code) {
  auto lower = [](std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
  };
  for (const auto& [known, description] : formatDescriptions())
    if (lower(known) == lower(code)) return description;
  return {};
}

const FormatTables& formatTables() {
  static const FormatTables tables = buildTables();
  return tables;
}

const Titles* FormatTables::inputOptionsFor(const std::string& formatRow) const {
  return inputOptionsForCode(firstWord(formatRow));
}

const Titles* FormatTables::outputOptionsFor(const std::string& formatRow) const {
  return outputOptionsForCode(firstWord(formatRow));
}

// Only formats whose `obabel -H` documents every row of the table for that direction have one.
const Titles* FormatTables::inputOptionsForCode(const std::string& code) const {
  static const TableByCode mapping = {
      {"acr", &FormatTables::inputMenuSingleBonds}, {"adfout", &FormatTables::inputMenuRead},
      {"caccrt", &FormatTables::inputMenuRead},     {"car", &FormatTables::inputMenuRead},
      {"cif", &FormatTables::inputMenuCif},         {"cub", &FormatTables::inputMenuRead},
      {"cube", &FormatTables::inputMenuRead},       {"dmol", &FormatTables::inputMenuRead},
      {"ent", &FormatTables::inputMenuRead},        {"fch", &FormatTables::inputMenuRead},
      {"feat", &FormatTables::inputMenuRead},       {"fract", &FormatTables::inputMenuRead},
      {"g09", &FormatTables::inputMenuRead},        {"g16", &FormatTables::inputMenuRead},
      {"inchi", &FormatTables::inputMenuInchi},     {"mdl", &FormatTables::inputMenuMdl},
      {"mol", &FormatTables::inputMenuMdl},         {"mol2", &FormatTables::inputMenuMol2},
      {"mold", &FormatTables::inputMenuRead},       {"molden", &FormatTables::inputMenuRead},
      {"molf", &FormatTables::inputMenuRead},       {"mop", &FormatTables::inputMenuRead},
      {"mopcrt", &FormatTables::inputMenuRead},     {"mopout", &FormatTables::inputMenuRead},
      {"mpqc", &FormatTables::inputMenuRead},       {"nwo", &FormatTables::inputMenuRead},
      {"pdb", &FormatTables::inputMenuRead},        {"prep", &FormatTables::inputMenuRead},
      {"qcout", &FormatTables::inputMenuRead},      {"sd", &FormatTables::inputMenuMdl},
      {"sdf", &FormatTables::inputMenuMdl},         {"smi", &FormatTables::inputMenuSmiles},
      {"smiles", &FormatTables::inputMenuSmiles},   {"tmol", &FormatTables::inputMenuRead},
      {"unixyz", &FormatTables::inputMenuRead},     {"vmol", &FormatTables::inputMenuRead},
      {"xyz", &FormatTables::inputMenuRead},
  };
  return lookUp(*this, mapping, code);
}

const Titles* FormatTables::outputOptionsForCode(const std::string& code) const {
  static const TableByCode mapping = {
      {"can", &FormatTables::outputMenuCan},        {"cdjson", &FormatTables::outputMenuChemDo},
      {"cml", &FormatTables::outputMenuCml},        {"cmlr", &FormatTables::outputMenuCmlreact},
      {"fa", &FormatTables::outputMenuFasta},       {"fasta", &FormatTables::outputMenuFasta},
      {"fpt", &FormatTables::outputMenuFpt},        {"fs", &FormatTables::outputMenuFpt},
      {"inchi", &FormatTables::outputMenuInchi},    {"mdl", &FormatTables::outputMenuMdl},
      {"ml2", &FormatTables::outputMenuSybmol2},    {"mol", &FormatTables::outputMenuMdl},
      {"mol2", &FormatTables::outputMenuSybmol2},   {"mop", &FormatTables::outputMenuMop},
      {"mopcrt", &FormatTables::outputMenuMop},     {"mpd", &FormatTables::outputMenuMpd},
      {"pcjson", &FormatTables::outputMenuPubchem}, {"pdb", &FormatTables::outputMenuPdb},
      {"png", &FormatTables::outputMenuPng},        {"pov", &FormatTables::outputMenuPov},
      {"sd", &FormatTables::outputMenuMdl},         {"sdf", &FormatTables::outputMenuMdl},
      {"smi", &FormatTables::outputMenuSmi},        {"smiles", &FormatTables::outputMenuSmi},
  };
  return lookUp(*this, mapping, code);
}

}  // namespace molbench
