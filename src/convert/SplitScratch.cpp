#include "convert/SplitScratch.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace molbench {

namespace {

// The output formats whose files obabel reads back molecule for molecule, as the split run
// must: measured on SMILES with stereo, Mol2 with charges and atom names of its own, and PDB,
// the files read in order against the one-run output. SD does not serve: from SMILES, obabel
// writes cis/trans into SD without coordinates that it reads but does not write again, and it
// adds the residue number to a Mol2 residue name each time it writes one (UNL1, UNL11). The
// split run copies these two formats' text as the first run wrote it. Other formats (those
// obabel only writes, or writes one molecule a file of) go through CML with its properties:
// through SD, InChIKeys from SMILES lost their cis/trans and L/D (179 of 182 from real SMILES
// with stereo differed from the one-run output), and reports their stereo; CML kept them.
struct Rereading {
  std::string_view code;
  bool copies = false;
  // An output option whose output obabel cannot read back, given to the split run alone: a
  // SMILES file of names only, InChIKeys.
  std::string_view splitRunOnly = {};
  // An output option that writes the name after each molecule, and the read option that reads
  // it back: without it obabel reads no name after an InChI, and with it, on a file without
  // names, it takes the next line for one.
  std::string_view writesNames = {};
  std::string_view readsNames = {};
};

constexpr std::array kRereadable{
    Rereading{"sdf", true},
    Rereading{"sd", true},
    Rereading{"mol2", true},
    Rereading{"ml2", true},
    Rereading{"sy2", true},
    Rereading{"smi", false, "-xt"},
    Rereading{"smiles", false, "-xt"},
    Rereading{"can", false, "-xt"},
    Rereading{"inchi", false, "-xK", "-xt", "-an"},
    Rereading{"cml"},
    Rereading{"pdb"},
    Rereading{"ent"},
    Rereading{"xyz"},
    Rereading{"exyz"},
    Rereading{"mrv"},
    Rereading{"gro"},
    Rereading{"fract"},
    Rereading{"mae"},
};

// The input formats whose selected records, copied, read back as the input itself reads: each
// split file is then what obabel writes for that molecule converted alone. Measured on multi-
// molecule files of every format obabel reads and writes, titled and untitled. Not among them:
// CML, Marvin and CDXML (the copy loses the XML wrapper), PQR, XYZ and GRO (obabel titles an
// untitled molecule by its file's name, which would be "/dev/fd/3"), PDBQT and extended XYZ
// (molecules lost), HIN, PCM, GZMAT and Maestro (records copied are not read back), and the
// formats whose files obabel reads one molecule of. obabel titles every molecule of a PDB file
// by the file's path, which the split run is given (ConversionCommand.cpp).
constexpr std::array<std::string_view, 4> kMdl{"sdf", "sd", "mol", "mdl"};
constexpr std::array<std::string_view, 8> kLines{"mol2",   "ml2", "sy2",   "smi",
                                                 "smiles", "can", "inchi", "txt"};
constexpr std::array<std::string_view, 2> kPdb{"pdb", "ent"};

std::string lowerCase(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c; });
  return text;
}

std::string withOption(const std::string& flag, std::string_view option) {
  return option.empty() ? flag : flag + " " + std::string(option);
}

}  // namespace

template <size_t n>
bool among(const std::array<std::string_view, n>& codes, const std::string& code) {
  return std::find(codes.begin(), codes.end(), lowerCase(code)) != codes.end();
}

CopiedRecords copiedRecords(const std::string& inputFormatCode) {
  if (among(kMdl, inputFormatCode)) return CopiedRecords::kMdl;
  if (among(kLines, inputFormatCode)) return CopiedRecords::kLines;
  if (among(kPdb, inputFormatCode)) return CopiedRecords::kPdbModels;
  return CopiedRecords::kNone;
}

bool rewrittenAsRead(const std::string& inputFormatCode) {
  constexpr std::array<std::string_view, 2> kRewritten{"cml", "xyz"};
  return among(kRewritten, inputFormatCode);
}

SplitScratch splitScratch(const std::string& formatCode, const std::string& writeOption) {
  std::string code = lowerCase(formatCode);
  auto found = std::find_if(kRereadable.begin(), kRereadable.end(),
                            [&](const Rereading& r) { return r.code == code; });
  if (found == kRereadable.end()) return {"-ocml -xp", "-icml", "", false};
  bool firstRunOption = !writeOption.empty() && writeOption != found->splitRunOnly;
  return {withOption("-o" + code, firstRunOption ? writeOption : ""), "-i" + code,
          std::string(!writeOption.empty() && writeOption == found->writesNames ? found->readsNames
                                                                                : ""),
          found->copies};
}

std::string scratchRoomCheck(const std::string& scratchPath,
                             std::optional<unsigned long long> keptFromRoot) {
  std::string room = keptFromRoot ? "[ $(( $(stat -f -c '%f*%S' -- " + scratchPath + ") )) -gt " +
                                        std::to_string(*keptFromRoot) + " ]"
                                  : "[ \"$(stat -f -c %a -- " + scratchPath + ")\" != 0 ]";
  return "{ " + room + " || { echo \"No room left in the temporary folder \\\"$(dirname -- " +
         scratchPath + ")\\\": the split stopped before writing its files.\" >&2; exit 1; }; }";
}

}  // namespace molbench
