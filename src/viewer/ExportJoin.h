// Each row of an export reaches the export file in two obabel runs: a copy of its molecule into
// the scratch file, then a join of the scratch file and the export file. The join never writes
// the export file in place (obabel rewrites it at the end, and a full disk would leave it cut):
// it joins into a copy beside it, which takes the export file's place only when it holds every
// record, old and new.
#pragma once

#include <cstdint>
#include <string>

#include "platform/Platform.h"
#include "platform/posix/ProcessRunner.h"

namespace molbench {

struct ExportJoin {
  std::string obabelPath;
  std::string scratchPath;
  std::string exportPath;
  // The molecules the export file holds, as obabel reads them; one more after each join.
  int64_t records = 0;
};

// After the copy's run: true when the scratch file holds the one whole molecule. Otherwise says
// why with an alert and obabel's last lines: the run failed, obabel could not write the file
// ("Cannot write to", with exit status 0), or it was cut short (a full disk).
bool copiedIntoScratch(platform::Platform& platform, const platform::posix::BashRun& run,
                       const std::string& scratchPath);

// Joins the scratch file into the export file; `command` takes the join's text. True when the
// export file holds one record more. Otherwise the export file is left as it was and the alert
// says why: no copy could be made beside it with its owner and mode, the join failed, or it left
// records out (on a full disk, said).
bool joinedIntoExportFile(platform::Platform& platform, ExportJoin& join, std::string& command);

inline constexpr const char* kExportStoppedTitle = "The export stopped";

}  // namespace molbench
