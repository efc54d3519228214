// A gzip-compressed input never loses molecules in silence. obabel reads such a file whole, but
// some programs beside it do not (measured with Open Babel 3.1.1 on files of three molecules):
// obprop, obtautomer, obrotate, obprobe and obsym read only the first molecule and say nothing
// of the rest, and obspectrophore reads none at all. obrms reads both of its files whole, and
// obthermo reads the first molecule of any file, compressed or not.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "common/InputGuard.h"
#include "platform/Platform.h"

namespace molbench {

// How a program reads a gzip-compressed file.
enum class CompressedReading {
  whole,          // every molecule, as from the file uncompressed
  firstMolecule,  // the first molecule only
  nothing,        // no molecule: it reads the compressed bytes as text
};

CompressedReading compressedReadingOf(const std::string& program);

// The molecules of the file up to two, as the obabel of the command word counts them (it stops
// reading at the second); nothing when obabel gives no count.
std::optional<int> moleculesUpToTwo(const std::string& obabelWord, const std::string& path);

// Why the file's reader would leave molecules out of a compressed file, with what to do; nothing
// when the file is not gzip data, its reader reads it whole, or it holds one molecule for a
// reader of the first (or obabel cannot count them, and the run speaks for itself).
std::optional<std::string> compressedInputProblem(const InputFile& file,
                                                  const std::string& obabelWord);

// Shows an alert for the first such file and returns false; true when none loses molecules.
bool compressedInputsAccepted(platform::Platform& platform, const std::vector<InputFile>& files,
                              const std::string& obabelWord);

inline constexpr const char* kDecompressAlertTitle = "Decompress the input file";

}  // namespace molbench
