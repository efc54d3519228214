// Whether a file's molecules need 3D coordinates made before a conformer search or Confab. A
// molecule read from SMILES (every atom at the origin) or drawn in 2D lies wholly in the plane
// z = 0, and a search on it turns torsions of a flat structure. A molecule with 3D coordinates
// keeps them: obabel's --gen3D would rebuild them and the search would often end at a worse
// minimum.
#pragma once

#include <string>

namespace molbench {

// The command that writes every molecule of the input, as obabel reads it, as xyz text: a count
// line, a title line and one line per atom ("C  x y z").
std::string atomPositionsCommand(const std::string& head, const std::string& iFileType,
                                 const std::string& inputPath);

// Whether some molecule of that xyz text has atoms and all of them in the plane z = 0. Text
// that holds no molecule gives false.
bool holdsFlatMolecule(const std::string& xyzText);

// Whether some molecule of the input, as obabel (`head`, with the input-format flag) reads it,
// is flat. Runs obabel once.
bool inputHoldsFlatMolecule(const std::string& head, const std::string& iFileType,
                            const std::string& inputPath);

// The start of a command that works on the input's 3D molecules: obabel reading the input, or,
// to make coordinates, that run writing them with --gen3D as SD text into a second obabel that
// reads them. Within one run Open Babel 3.1.1 applies --gen3D after --conformer and --confab,
// which would then work on no coordinates or be thrown away.
std::string threeDMoleculesReading(const std::string& head, const std::string& iFileType,
                                   const std::string& inputPath, bool makeCoordinates);

}  // namespace molbench
