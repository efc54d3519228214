// The minimisation command: obabel's --minimize operation over the structures of one file, with
// the algorithm switch, the force field and the five typed values of the pane.
#pragma once

#include <string>

namespace molbench {

struct ObminimisePieces {
  std::string head = {};  // the obabel path as stored
  std::string iFileType = {};
  std::string inputPath = {};
  std::string outputPath = {};
  std::string steps = {};
  std::string algorithmTitle = {};  // "--cg", "--sd" or "--newton"
  std::string forceFieldTitle = {};
  std::string convergence = {};
  std::string vdwCutoff = {};
  std::string electrostaticCutoff = {};
  std::string nonBondedUpdateFrequency = {};
};

// obabel, two blanks, the quoted input, " -O ", the quoted output, " --minimize ", then
// " --steps " and the steps, the algorithm, " --ff ", " --crit ", " --rvdw ", " --rele " and
// " --freq " each with its value. Every typed value reaches obabel as one argument, an empty
// one as '' so that its option never takes the next option as its value.
std::string obminimiseCommand(const ObminimisePieces& pieces);

}  // namespace molbench
