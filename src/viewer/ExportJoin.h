// Each row of an export reaches the export file in two obabel runs: a copy of its molecule into
// the scratch file, then a join of the scratch file and the export file into the export file.
// obabel reads both inputs whole before it opens its output, then empties the export file and
// writes it anew: a failure, a full disk or a kill while it writes would leave it cut. For each
// join the old bytes wait in a copy (KeptCopy.h) and go back into the same file when the join
// does not hold every record, old and new.
#pragma once

#include <cstdint>
#include <string>

#include "common/KeptCopy.h"
#include "platform/Platform.h"
#include "platform/posix/ProcessRunner.h"

namespace molbench {

struct ExportJoin {
  std::string obabelPath;
  std::string scratchPath;
  std::string exportPath;
  // Where the old bytes wait when the export file's folder takes no new file.
  std::string temporaryFolder;
  // The molecules the export file holds, as obabel reads them; one more after each join.
  int64_t records = 0;
  // The export file is the empty one this export made (WriteLock.h): there was none.
  bool madeTheFile = false;
};

// The copies a join keeps are named for the export file's device and inode:
// "kept-export-D-N-XXXXXX.sdf".
inline constexpr KeptCopyName kExportCopyName{"kept-export-", ".sdf"};

// After the copy's run: true when the scratch file holds the one whole molecule. Otherwise says
// why with an alert and obabel's last lines: the run failed, obabel could not write the file
// ("Cannot write to", with exit status 0), or it was cut short (a full disk).
bool copiedIntoScratch(platform::Platform& platform, const platform::posix::BashRun& run,
                       const std::string& scratchPath);

// Joins the scratch file into the export file; `command` takes the join's text. True when the
// export file holds one record more. Otherwise the export file holds its old records again and
// the alert says why: it is read-only, its records could not be kept aside, the join failed, or
// it left records out (on a full disk, said).
bool joinedIntoExportFile(platform::Platform& platform, ExportJoin& join, std::string& command);

inline constexpr const char* kExportStoppedTitle = "The export stopped";

}  // namespace molbench
