// A run that went wrong is said, the same way in every pane: a command the system refused to
// start, a program that crashed or exited with a failure status.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "common/OutputGuard.h"
#include "platform/Platform.h"
#include "platform/posix/ProcessRunner.h"

namespace molbench {

// Which failures a pane tells the user of. A pane that shows the program's own report lets
// it speak for a crash or a refusal; a command that never started, or whose program bash could
// not find or execute (status 126 or 127), has no report at all.
enum class Failures { notStarted, any };

// The alert for the run, titled after `program` ("obsym", or "The command" for typed text),
// with the last few lines the run wrote on standard error; nothing when the run went well.
// `pipedOutput` is the file the second run writes when the command is two runs of `program`
// joined by a pipe (pipedRuns): a second run that gives up early (obabel cannot write its
// output, and still exits 0) ends the first with a broken pipe, which is then no crash of the
// first but the second run's failure, said with its own lines.
std::optional<platform::AlertRequest> runFailureAlert(
    const platform::posix::BashRun& run, Failures failures, const std::string& program,
    const std::optional<std::string>& pipedOutput = std::nullopt);

// Shows that alert, if there is one. True when it did.
bool saidRunFailure(platform::Platform& platform, const platform::posix::BashRun& run,
                    Failures failures, const std::string& program,
                    const std::optional<std::string>& pipedOutput = std::nullopt);

// The alert for a run that went well by its status but left its output file empty or absent:
// obabel says "0 molecules converted" and exits 0 for a file with no molecule in it. Judged by
// the file, not by that line (Confab writes its conformers itself and counts none). Nothing
// when the file holds anything.
std::optional<platform::AlertRequest> emptyOutputAlert(const platform::posix::BashRun& run,
                                                       const std::string& program,
                                                       const std::string& outputPath);

// The alert for a run that went well by its status but whose result falls short (empty, no
// index, molecules left out), titled `title`, with `sentence` saying what is wrong with it and
// the run's last error lines. Where a line holding `failedPhrase` says what went wrong, the
// lines shown end at it even when later warnings followed it.
platform::AlertRequest unusableOutputAlert(const platform::posix::BashRun& run,
                                           const std::string& title, const std::string& sentence,
                                           const std::string& failedPhrase = "");

// Shows that alert, if there is one. True when it did.
bool saidEmptyOutput(platform::Platform& platform, const platform::posix::BashRun& run,
                     const std::string& program, const std::string& outputPath);

// What obabel writes on standard error for a molecule its force field cannot be set up for (an
// atom it has no type for). It leaves that molecule out and still exits 0.
inline constexpr const char* kForceFieldSetupFailure = "Could not setup force field.";

// What Confab writes on standard output for such a molecule, before "!!Skipping" it.
inline constexpr const char* kConfabSetupFailure = "!!Cannot set up forcefield for this molecule";

// What obabel writes on standard error for a molecule it could not make 3D coordinates for. It
// writes that molecule anyway, flat or with coordinates that are no numbers ("nan"), and still
// exits 0.
inline constexpr const char* kThreeDFailure = "3D coordinate generation failed";

// What obabel writes on standard error when it writes a molecule with no coordinates at all as
// MDL (SD, Mol): Open Babel 3.1.1's --gen3D makes none at the speeds "fastest" and "fast".
inline constexpr const char* kNoCoordinates = "No 2D or 3D coordinates exist";

// How obabel's fit (--align) begins and goes on in the line it writes on standard error for each
// molecule whose coordinates are not of its template's dimension (2D against 3D, or from
// SMILES, which it gives 2D ones): it leaves that molecule out and still exits 0. The molecule's
// title stands between the two.
inline constexpr const char* kUnlikeDimensions = "The molecule";
inline constexpr const char* kUnlikeDimensionsWords =
    " does not have the same dimensions as the reference molecule ";

// What obabel writes on standard error when its index search has looked at as many candidates
// as it takes (4,000): it writes the matches among those and exits 0.
inline constexpr const char* kIndexSearchStopped = "Stopped looking after";

// Why a run that wrote its output left some molecules out of what it was for.
enum class LeftOut { forceFieldTypes, threeDCoordinates, indexCandidates, unlikeDimensions };

// How many of the molecules it wrote that concerns, where the written file was read back.
enum class Concerned { some, every };

// The lines that say so, each on the stream where it is printed, for the runner to watch for:
// obabel goes on after them, and a long run's later warnings would push them out of the error
// tail.
const std::vector<platform::posix::WatchedPhrase>& leftOutLines();

// The alert for a run whose obabel said that, with its words and last error lines; nothing when
// it did not say so. What it wrote at `outputPath` (the numbered files of a split) is kept: it
// holds the other molecules as they should be.
std::optional<platform::AlertRequest> leftOutAlert(const platform::posix::BashRun& run, LeftOut why,
                                                   const std::string& program,
                                                   const std::string& outputPath,
                                                   OutputKind kind = OutputKind::file,
                                                   Concerned concerned = Concerned::some);

// Shows that alert, if there is one. True when it did.
bool saidLeftOut(platform::Platform& platform, const platform::posix::BashRun& run, LeftOut why,
                 const std::string& program, const std::string& outputPath,
                 OutputKind kind = OutputKind::file, Concerned concerned = Concerned::some);

// The same alert for molecules without 3D coordinates, where the written file shows them flat
// though obabel said nothing (Open Babel 3.1.1 warns at its fastest speeds only for some output
// formats).
platform::AlertRequest flatOutputAlert(const platform::posix::BashRun& run,
                                       const std::string& program, const std::string& outputPath,
                                       Concerned concerned);

}  // namespace molbench
