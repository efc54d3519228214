// obabel's index search takes at most 4,000 candidates from the fingerprints; at the 4,000th it
// stops and says "Stopped looking after N molecules.", N being the number of that candidate
// counted from 0. An index of exactly 4,000 molecules whose every one is a candidate then says
// so with nothing left unseen: the search found what a search of the file finds.
#pragma once

#include <string>
#include <vector>

#include "common/OutputGuard.h"
#include "platform/Platform.h"
#include "platform/posix/ProcessRunner.h"

namespace molbench {

// Whether the run's index search stopped before the end of its index, the first of `readPaths`
// (the files the run reads) that is a fast-search index. An index that cannot be counted, or a
// stop line whose count cannot be read, leaves the stop standing.
bool indexSearchLeftMoleculesUnseen(const platform::posix::BashRun& run,
                                    const std::vector<std::string>& readPaths);

// Says that the search wrote only the matches among the molecules it looked at, where it left
// some unseen. True when it did.
bool saidIndexSearchStop(platform::Platform& platform, const platform::posix::BashRun& run,
                         const std::vector<std::string>& readPaths, const std::string& outputPath,
                         OutputKind kind = OutputKind::file);

}  // namespace molbench
