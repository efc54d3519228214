// Runs one command text with /bin/bash -c and reads its standard output to end of file.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace molbench::platform::posix {

// How one run went. Standard input is /dev/null, so a program that reads it never waits on
// this program's terminal; standard output is a pipe read in large blocks until every holder
// of its writing end has closed it; standard error passes through to this program's own
// standard error, and its last bytes are kept.
struct BashRun {
  // The raw bytes of standard output; nothing when bash could not be started.
  std::optional<std::string> output;
  // Why bash could not be started (an errno value, E2BIG for a command longer than the system
  // takes in one argument), or 0.
  int startError = 0;
  // bash's exit status, when it ended and was reaped soon after closing its output.
  std::optional<int> exitStatus;
  // The signal that ended the run (a crash of the program bash handed itself over to), or 0.
  int signal = 0;
  // The last bytes the run wrote on standard error (at most kErrorTailBytes).
  std::string errorTail;
  // The watched phrases the run wrote anywhere on standard error, however much followed them.
  std::vector<std::string> errorPhrasesSeen;

  // Whether the run wrote this phrase on standard error: watched, or still in the tail.
  bool wroteOnError(const std::string& phrase) const {
    for (const auto& seen : errorPhrasesSeen)
      if (seen == phrase) return true;
    return errorTail.find(phrase) != std::string::npos;
  }

  // The program crashed or said it failed.
  bool failed() const { return signal != 0 || (exitStatus && *exitStatus != 0); }
};

inline constexpr std::size_t kErrorTailBytes = 8192;

// The child's environment is this program's, with OMP_NUM_THREADS=1 added when it is not set:
// Open Babel's OpenMP threads spin while they wait for each other, and on a busy machine a job
// of a fifth of a second then takes minutes. On an idle machine one thread is as fast.
// Standard error is watched for each of `watchedPhrases` from its first byte to its last.
BashRun runBash(const std::string& command, const std::vector<std::string>& watchedPhrases = {});

}  // namespace molbench::platform::posix
