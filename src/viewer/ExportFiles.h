// The export touches no file it did not write. It copies each selected molecule into a scratch
// file beside the input and joins that and the export file into the export file (ExportJoin.h):
// obabel's -O overwrites whatever the scratch path holds, and the join keeps only the molecules
// obabel reads from the export file, stopping at the first record it cannot read.
#pragma once

#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "common/WriteLock.h"
#include "platform/Platform.h"

namespace molbench {

// An SD file read as text, as obabel reads it (a carriage return ends a line as a line feed
// does): its record ends (lines beginning "$$$$", but never a title: the line after an end, or
// the file's first line) and whether anything but blank lines follows the last one.
struct SdRecordEnds {
  int64_t ends = 0;
  bool textAfterLast = false;
  // The first record, counted from 1, that is no SD record: where an SD record has its atom and
  // bond counts (the fourth line) it holds something else, or its first four lines hold control
  // bytes. obabel reads such text (SMILES, binary data) as one empty molecule. 0 when none is.
  int64_t firstNotSd = 0;
  // Each end closes a record, and text after the last is one more that obabel may try to read.
  int64_t records() const { return ends + (textAfterLast ? 1 : 0); }
};

// Those of the file, read in constant memory and no further than `enough` ends. Nothing when
// the file cannot be read.
std::optional<SdRecordEnds> sdRecordEnds(const std::string& path,
                                         int64_t enough = std::numeric_limits<int64_t>::max());

// "1 molecule", "4 molecules".
std::string moleculesWord(int64_t count);

// Why the export may not write its scratch file at this path, or nothing when no file is there
// or an earlier export left it (one molecule as obabel writes it, or an empty file). Anything
// else is someone's: more than one record, text with no record end, a file that cannot be read,
// or no regular file at all.
std::optional<std::string> scratchFileProblem(const std::string& scratchPath);

// Why the export file may not take a join: its record `record` is no SD record, and the join
// would write an empty molecule in place of its lines.
std::string notSdTextProblem(const std::string& exportPath, int64_t record);

// Why the export file may not take a join: obabel read fewer (`read`) molecules than its
// `records`.
std::optional<std::string> exportFileProblem(const std::string& exportPath, int64_t records,
                                             int64_t read);

// Before the first row of an export is copied: refuses, with an alert naming the file, a
// scratch path that holds someone's file, either path where the output guard refuses to write
// (a file a row is read from), an export file that another export holds (the lock is taken
// here, for the rest of the export), one whose old records a join that did not finish kept
// aside, one that is not SD text, and one that obabel does not read whole (counted with one
// obabel run); keeps them as they are. When the export may go on, the molecules obabel reads
// of the export file (0 for none).
std::optional<int64_t> exportFilesAccepted(
    platform::Platform& platform, const std::string& obabelPath, const std::string& scratchPath,
    const std::string& exportPath, const std::vector<std::string>& readPaths, WriteLock& lock);

// What a second export into a file that another export holds (WriteLock.h) says.
std::string exportFileHeld(const std::string& exportPath);
inline constexpr const char* kExportFileHeldTitle = "Another export is writing into the file";

inline constexpr const char* kExportFileAlertTitle = "Rename or move the file";
inline constexpr const char* kUnfinishedExportTitle = "An earlier export did not finish";

}  // namespace molbench
