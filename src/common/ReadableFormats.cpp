#include "common/ReadableFormats.h"

namespace molbench {

// clang-format off
const std::vector<std::string_view>& readableFormatCodes() {
  static const std::vector<std::string_view> codes = {
      "abinit", "acesout", "acr", "adfband", "adfdftb", "adfout", "alc", "aoforce", "arc",
      "axsf", "bgf", "box", "bs", "c09out", "c3d1", "c3d2", "caccrt", "can",
      "car", "castep", "ccc", "cdjson", "cdx", "cdxml", "cif", "ck", "cml",
      "cmlr", "cof", "CONFIG", "CONTCAR", "CONTFF", "crk2d", "crk3d", "ct", "cub",
      "cube", "dallog", "dalmol", "dat", "dmol", "dx", "ent", "exyz", "fa",
      "fasta", "fch", "fchk", "fck", "feat", "fhiaims", "fract", "fs", "fsa",
      "g03", "g09", "g16", "g92", "g94", "g98", "gal", "gam", "gamess",
      "gamin", "gamout", "got", "gpr", "gro", "gukin", "gukout", "gzmat", "hin",
      "HISTORY", "inchi", "inp", "ins", "jin", "jout", "log", "lpmd", "mae",
      "maegz", "mcdl", "mcif", "MDFF", "mdl", "ml2", "mmcif", "mmd", "mmod",
      "mol", "mol2", "mold", "molden", "molf", "moo", "mop", "mopcrt", "mopin",
      "mopout", "mpc", "mpo", "mpqc", "mrv", "msi", "nwo", "orca", "out",
      "outmol", "output", "pc", "pcjson", "pcm", "pdb", "pdbqt", "png", "pos",
      "POSCAR", "POSFF", "pqr", "pqs", "prep", "pwscf", "qcout", "res", "rsmi",
      "rxn", "sd", "sdf", "siesta", "smi", "smiles", "smy", "sy2", "t41",
      "tdd", "text", "therm", "tmol", "txt", "txyz", "unixyz", "VASP", "vmol",
      "wln", "xml", "xsf", "xyz", "yob",
  };
  return codes;
}

const std::vector<std::string_view>& writeOnlyFormatCodes() {
  static const std::vector<std::string_view> codes = {
      "acesin", "adf", "ascii", "cac", "cache", "cacint", "cht", "com", "confabreport",
      "copy", "csr", "cssr", "fh", "fix", "fps", "fpt", "gau", "gjc",
      "gjf", "gr96", "inchikey", "k", "lmpdat", "mna", "molreport", "mp", "mpd",
      "mpqcin", "msms", "nul", "nw", "orcainp", "paint", "pointcloud", "pov", "qcin",
      "report", "rinchi", "stl", "svg", "xed", "zin",
  };
  return codes;
}

const std::vector<std::string_view>& readOnlyFormatCodes() {
  static const std::vector<std::string_view> codes = {
      "abinit", "acesout", "acr", "adfband", "adfdftb", "adfout", "aoforce", "arc", "axsf",
      "c09out", "car", "castep", "ccc", "cdx", "dallog", "dat", "fch", "fchk", "fck",
      "g03", "g09", "g16", "g92", "g94", "g98", "gal", "gam", "gamess", "gamout",
      "got", "HISTORY", "ins", "jout", "log", "moo", "mopout", "mpo", "mpqc", "msi",
      "nwo", "orca", "out", "output", "pc", "pos", "prep", "pwscf", "qcout", "res",
      "siesta", "smy", "t41", "wln", "xml", "xsf",
  };
  return codes;
}
// clang-format on

}  // namespace molbench
