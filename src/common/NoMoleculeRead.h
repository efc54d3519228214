// obabel that reads no molecule from its input (text that is no molecule, an empty file, a file
// in another format than the one it is read as) says "0 molecules converted" and exits 0, having
// emptied its output. A selection that keeps none of a readable input says the same, and there
// the empty output is the result. Only after a run that converted nothing is the input read
// again to tell the two apart, so a run that converts anything costs no more.
#pragma once

#include <optional>
#include <string>

#include "common/KeptOutput.h"
#include "common/OutputGuard.h"
#include "platform/Platform.h"
#include "platform/posix/ProcessRunner.h"

namespace molbench {

// Whether obabel said it converted no molecule (one of the runs of a piped command did).
bool convertedNone(const platform::posix::BashRun& run);

// The input of a conversion, as its run read it.
struct ConvertedInput {
  std::string obabelPath;
  std::string path;
  std::string formatFlag;  // "-isdf", or "" when the name gives the format
  std::string readOption;  // the read-option token, or ""
};

// The command that learns whether obabel reads any molecule from the input: it reads up to the
// first one (obabel stops at the first record it cannot read, so the first tells) and writes
// none.
std::string firstMoleculeCommand(const ConvertedInput& input);

// Whether obabel reads a molecule from the input; nothing when its summary does not tell (the
// program could not be run).
std::optional<bool> readsAnyMolecule(const ConvertedInput& input);

// The alert for a run whose obabel read no molecule from the input: it names the input and the
// format it was read as, and says what became of the output at `outputPath` (`outcome`, the
// kept copy's sentence, or empty when no file was there), with obabel's last error lines.
platform::AlertRequest noMoleculeAlert(const platform::posix::BashRun& run,
                                       const ConvertedInput& input, const std::string& outputPath,
                                       OutputKind kind, const std::string& outcome);

// After a run that went well by its status: when obabel converted no molecule and reads none
// from the input, the earlier output goes back and that is said (true). Otherwise the output is
// the run's result and its copy goes.
bool saidNoMoleculeRead(platform::Platform& platform, const platform::posix::BashRun& run,
                        const ConvertedInput& input, const std::string& outputPath,
                        OutputKind kind, KeptOutput& kept);

inline constexpr const char* kNoMoleculeAlertTitle = "obabel read no molecule";

}  // namespace molbench
