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

// The input of a conversion, as its run read it.
struct ConvertedInput {
  std::string obabelPath;
  std::string path;
  std::string formatFlag;  // "-isdf", or "" when the name gives the format
  std::string readOption;  // the read-option token, or ""
};

// After a run that went well by its status: when obabel converted no molecule and reads none
// from the input, the earlier output goes back and that is said (true). Otherwise the output is
// the run's result and its copy goes.
bool saidNoMoleculeRead(platform::Platform& platform, const platform::posix::BashRun& run,
                        const ConvertedInput& input, const std::string& outputPath, OutputKind kind,
                        KeptOutput& kept);

inline constexpr const char* kNoMoleculeAlertTitle = "obabel read no molecule";

}  // namespace molbench
