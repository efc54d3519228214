// Runs one command text with /bin/bash -c and reads its standard output to end of file.
#pragma once

#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace molbench::platform::posix {

// The stream a program writes a line on.
enum class Stream { output, error };

// A phrase the runner looks for at the start of a line, on the one stream where the program
// prints it: the same words on the other stream are a molecule's text (an SD title written to
// standard output), not the program's message.
struct WatchedPhrase {
  std::string phrase;
  Stream stream = Stream::error;
  // Words the line must also hold after the phrase, where a message puts a molecule's title
  // right behind its first words ("The molecule<title> does not have ...").
  std::string alsoSaying = {};
};

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
  // The first line that begins with each watched phrase (messageLine) on the phrase's own
  // stream, however much followed it: obabel writes most of its messages on standard error,
  // but Confab writes its own on standard output.
  std::vector<std::string> watchedLines;
  // How many lines said each watched phrase, by phrase (a message said once per molecule).
  std::map<std::string, std::size_t> watchedCounts;
  // The phrases it was watched for.
  std::vector<WatchedPhrase> watched;

  // The run's first line that begins with this phrase: watched, or still in the error tail.
  // Only for a phrase watched on standard error, or one not watched at all, does the tail
  // count.
  std::optional<std::string> lineSaying(const std::string& phrase) const;

  // Whether the run wrote such a line.
  bool wroteOnError(const std::string& phrase) const { return lineSaying(phrase).has_value(); }

  // How many lines of the whole run said a watched phrase.
  std::size_t timesSaid(const std::string& phrase) const {
    auto found = watchedCounts.find(phrase);
    return found == watchedCounts.end() ? 0 : found->second;
  }

  // The program crashed or said it failed.
  bool failed() const { return signal != 0 || (exitStatus && *exitStatus != 0); }
};

inline constexpr std::size_t kErrorTailBytes = 8192;

// The line without its leading blanks, when it then begins with the phrase: obabel writes its
// messages at the start of a line, indented under a header, and quotes a molecule's title only
// within a line ("(title is ...)"), so a title is never taken for the message it spells.
std::optional<std::string> messageLine(std::string_view line, const std::string& phrase);

// The same for a watched phrase, whose line must also hold its further words.
std::optional<std::string> messageLine(std::string_view line, const WatchedPhrase& watched);

// The child's environment is this program's, with OMP_NUM_THREADS=1 added when it is not set:
// Open Babel's OpenMP threads spin while they wait for each other, and on a busy machine a job
// of a fifth of a second then takes minutes. On an idle machine one thread is as fast.
// Each watched phrase is looked for on its own stream, from first byte to last.
BashRun runBash(const std::string& command, const std::vector<WatchedPhrase>& watchedPhrases = {});

}  // namespace molbench::platform::posix
