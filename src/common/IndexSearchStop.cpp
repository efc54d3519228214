#include "common/IndexSearchStop.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <optional>
#include <string_view>

#include "common/FastSearchIndex.h"
#include "common/RunFailure.h"

namespace molbench {

namespace {

// The candidate the search stopped at, counted from 0.
std::optional<uint64_t> stoppedAt(const std::string& line) {
  std::string_view rest(line);
  rest.remove_prefix(std::min(rest.size(), std::string_view(kIndexSearchStopped).size()));
  rest.remove_prefix(std::min(rest.size(), rest.find_first_not_of(' ')));
  uint64_t number = 0;
  auto [end, error] = std::from_chars(rest.data(), rest.data() + rest.size(), number);
  if (error != std::errc() || end == rest.data()) return std::nullopt;
  return number;
}

}  // namespace

bool indexSearchLeftMoleculesUnseen(const platform::posix::BashRun& run,
                                    const std::vector<std::string>& readPaths) {
  auto line = run.lineSaying(kIndexSearchStopped);
  if (!line) return false;
  auto last = stoppedAt(*line);
  for (const auto& path : readPaths)
    if (auto entries = fastSearchIndexEntries(path)) return !last || *entries > *last + 1;
  return true;
}

bool saidIndexSearchStop(platform::Platform& platform, const platform::posix::BashRun& run,
                         const std::vector<std::string>& readPaths, const std::string& outputPath,
                         OutputKind kind) {
  return indexSearchLeftMoleculesUnseen(run, readPaths) &&
         saidLeftOut(platform, run, LeftOut::indexCandidates, "obabel", outputPath, kind);
}

}  // namespace molbench
