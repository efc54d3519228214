// Whether a file's molecules need 3D coordinates made before a conformer search or Confab. A
// molecule read from SMILES (every atom at the origin) or drawn in 2D lies wholly in the plane
// z = 0, and a search on it turns torsions of a flat structure. A molecule with 3D coordinates
// keeps them: obabel's --gen3D would rebuild them and the search would often end at a worse
// minimum, and Confab's "include the input structure" would write obabel's structure in place
// of the user's.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/Platform.h"

namespace molbench {

// Neighbouring molecules of an input that are all flat or all 3D, numbered from 1 as obabel's
// -f and -l count them. `last` is 0 for the stretch that runs to the end of the file.
struct MoleculeStretch {
  int first = 1;
  int last = 0;
  bool flat = false;
};

// Which molecules of an input get 3D coordinates made.
struct CoordinatesToMake {
  // Every molecule (true) or none (false).
  CoordinatesToMake(bool everyMolecule = true) : any(everyMolecule) {}
  // Only the flat stretches of a file that mixes them with 3D ones.
  explicit CoordinatesToMake(std::vector<MoleculeStretch> mixed)
      : any(true), stretches(std::move(mixed)) {}

  bool any;
  std::vector<MoleculeStretch> stretches;  // empty unless the file mixes flat and 3D molecules
};

// The most stretches a command makes one run each for; past it the file is refused (kept well
// inside the 128 KiB that Linux takes for bash's command).
inline constexpr std::size_t kMostMoleculeStretches = 100;

// The command that writes every molecule of the input, as obabel reads it, as xyz text: a count
// line, a title line ending in the molecule's formula, and one line per atom ("C  x y z").
std::string atomPositionsCommand(const std::string& head, const std::string& iFileType,
                                 const std::string& inputPath);

// The coordinates to make for the molecules of that xyz text: none when no molecule is flat
// (has atoms and all of them in the plane z = 0), every molecule when none has 3D coordinates,
// else the stretches. A molecule without atoms goes with the stretch before it (or the first),
// and so does a lone atom without hydrogens (an ion at the origin of a 3D file): it has no shape
// to make, and one at the origin is where a 3D file may well put it.
CoordinatesToMake coordinatesToMake(const std::string& xyzText);

// The same for the input, as obabel (`head`, with the input-format flag) reads it. Runs obabel
// once.
CoordinatesToMake inputCoordinatesToMake(const std::string& head, const std::string& iFileType,
                                         const std::string& inputPath);

// How many molecules of a written file have no 3D coordinates, of how many with atoms.
struct FlatCount {
  int flat = 0;
  int molecules = 0;
};

// The molecules that obabel wrote (`outputXyz`, the written file read as xyz) without 3D
// coordinates, from an input that obabel reads as `inputSd` (SD text, molecule for molecule).
// Open Babel 3.1.1 at the speeds "fastest" and "fast" writes each molecule with the input's own
// coordinates: none from SMILES (every atom at the origin), 2D ones from a 2D drawing, 3D ones
// from a 3D file, where a planar molecule (benzene, carbon dioxide) lies in z = 0 as well. So a
// molecule of several atoms is flat when they all lie at the origin, or all in z = 0 where the
// input did not give it 3D coordinates (or cannot be matched with it). A lone atom is never.
FlatCount flatMoleculesWritten(const std::string& outputXyz, const std::string& inputSd);

// The same for the file at `outputPath` written from the input, as obabel (`head`, with the
// input-format flag) reads both. Runs obabel twice.
FlatCount moleculesWrittenFlat(const std::string& head, const std::string& iFileType,
                               const std::string& inputPath, const std::string& outputPath);

// How many molecules of xyz text have a coordinate that is no number ("nan", "inf"), of how many
// with atoms.
struct NumberlessCount {
  int numberless = 0;
  int molecules = 0;
};
NumberlessCount moleculesWithoutNumbers(const std::string& xyzText);

// The same for the file at `outputPath`, as obabel (`head`) reads it by its name. Runs obabel
// once.
NumberlessCount moleculesWrittenWithoutNumbers(const std::string& head,
                                               const std::string& outputPath);

// The same, or nothing when the input changes between 3D and flat molecules more often than one
// command holds: an alert then says so and how to go on.
std::optional<CoordinatesToMake> acceptedCoordinatesToMake(platform::Platform& platform,
                                                           const std::string& head,
                                                           const std::string& iFileType,
                                                           const std::string& inputPath);
inline constexpr const char* kMixedInputAlertTitle = "This file mixes 3D and flat molecules";

// The start of a command that works on the input's 3D molecules: obabel reading the input, or,
// to make coordinates, that run writing them with --gen3D as SD text into a second obabel that
// reads them. Within one run Open Babel 3.1.1 applies --gen3D after --conformer and --confab,
// which would then work on no coordinates or be thrown away. --gen3D rebuilds every molecule
// it gets, so a file that mixes 3D and flat molecules is written stretch by stretch (-f, -l),
// --gen3D only on the flat ones, in the file's order.
std::string threeDMoleculesReading(const std::string& head, const std::string& iFileType,
                                   const std::string& inputPath,
                                   const CoordinatesToMake& coordinates);

}  // namespace molbench
