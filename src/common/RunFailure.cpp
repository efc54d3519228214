#include "common/RunFailure.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <regex>
#include <vector>

#include "platform/Utf8.h"

namespace molbench {

namespace {

constexpr size_t kErrorLinesShown = 6;

// The last few lines that hold anything, decoded so a stray byte costs no line. A line that
// holds `failedPhrase` stays among them: obabel goes on to later molecules, and their warnings
// would push out the line that says what went wrong.
std::string lastErrorLines(const std::string& tail, const std::string& failedPhrase = "") {
  std::string text = platform::decodeUtf8Lossy(tail);
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = std::min(text.find('\n', start), text.size());
    std::string line = text.substr(start, end - start);
    if (line.find_first_not_of(" \t\r") != std::string::npos) lines.push_back(line);
    start = end + 1;
  }
  size_t last = lines.size();
  if (!failedPhrase.empty()) {
    auto failed = std::find_if(lines.rbegin(), lines.rend(), [&](const std::string& line) {
      return line.find(failedPhrase) != std::string::npos;
    });
    if (failed != lines.rend() && failed - lines.rbegin() >= std::ptrdiff_t(kErrorLinesShown))
      last = lines.size() - static_cast<size_t>(failed - lines.rbegin());
  }
  std::string joined;
  for (size_t i = last > kErrorLinesShown ? last - kErrorLinesShown : 0; i < last; ++i)
    joined += (joined.empty() ? "" : "\n") + lines[i];
  return joined;
}

std::string withErrorLines(const std::string& sentence, const std::string& tail,
                           const std::string& failedPhrase = "") {
  std::string lines = lastErrorLines(tail, failedPhrase);
  if (lines.empty()) return sentence + " It wrote no error message.";
  return sentence + " Its last error lines:\n" + lines;
}

platform::AlertRequest alertWithLines(const std::string& title, const std::string& sentence,
                                      const std::string& tail,
                                      const std::string& failedPhrase = "") {
  platform::AlertRequest alert;
  alert.messageText = title;
  alert.informativeText = withErrorLines(sentence, tail, failedPhrase);
  alert.buttons = {"OK"};
  return alert;
}

// The signal that ended the run: its own, or the one bash reports for the program it ran as
// a status of 128 and the signal's number.
int endingSignal(const platform::posix::BashRun& run) {
  if (run.signal != 0) return run.signal;
  if (run.exitStatus && *run.exitStatus > 128 && *run.exitStatus < 128 + 32)
    return *run.exitStatus - 128;
  return 0;
}

// The lines of the second of two piped obabel runs, when the first was ended by the broken
// pipe: the second's end with its summary ("0 molecules converted"); what follows was written by
// the first, which prints no summary once it is ended, so it would push the second's error out.
std::string secondRunLines(const std::string& tail) {
  static const std::regex summary(R"(\d+ molecules? converted\r?)");
  size_t end = tail.size();
  while (end > 0) {
    size_t start = tail.rfind('\n', end - 1);
    start = start == std::string::npos ? 0 : start + 1;
    if (std::regex_match(tail.begin() + start, tail.begin() + end, summary))
      return tail.substr(0, end);
    end = start == 0 ? 0 : start - 1;
  }
  return tail;
}

platform::AlertRequest brokenPipeAlert(const platform::posix::BashRun& run,
                                       const std::string& program, const std::string& output) {
  return alertWithLines(
      "The second " + program + " run failed",
      "The command runs " + program + " twice, the first writing into the second, which writes \"" +
          output +
          "\". The second stopped before it had read what the first wrote, and the first then "
          "ended on the broken pipe: \"" +
          output + "\" may be missing or incomplete.",
      secondRunLines(run.errorTail));
}

// Shows the alert, if there is one. True when it did.
bool said(platform::Platform& platform, const std::optional<platform::AlertRequest>& alert) {
  if (!alert) return false;
  platform.runAlert(*alert);
  return true;
}

using platform::posix::Stream;

// A line that says what was left out, and the stream it comes on.
struct SaidOn {
  const char* line;
  Stream stream;
  const char* alsoSaying = "";  // further on in the same line
};

struct LeftOutWords {
  std::vector<SaidOn> lines;  // any of them says it
  const char* title;          // after the program's name
  const char* before;
  const char* after;  // the two halves of the sentence, around the output's names
};

LeftOutWords wordsFor(LeftOut why, Concerned concerned = Concerned::some) {
  if (why == LeftOut::forceFieldTypes)
    return {{{kForceFieldSetupFailure, Stream::error}, {kConfabSetupFailure, Stream::output}},
            " left molecules out",
            "The force field could not be set up for some molecules (it has no atom type for one "
            "of their atoms), so ",
            " holds only the others. Another force field, where the pane offers one, may type "
            "them."};
  if (why == LeftOut::unlikeDimensions)
    return {{{kUnlikeDimensions, Stream::error, kUnlikeDimensionsWords}},
            " left molecules out",
            "It fits only molecules whose coordinates have the template's dimension (3D or 2D; "
            "it gives molecules read from SMILES 2D ones) and left out the others, so ",
            " holds only those it could fit. Give the left-out molecules coordinates like the "
            "template's (3D ones with obgen) and fit them again."};
  if (why == LeftOut::indexCandidates)
    return {{{kIndexSearchStopped, Stream::error}},
            " searched only part of the index",
            "The index search stops after a fixed number of the candidates its fingerprints "
            "give, so ",
            " holds only the matches among those it looked at; more molecules may match. A "
            "search of the molecule file itself (\"Search file\") finds them all."};
  LeftOutWords words = {
      {{kThreeDFailure, Stream::error}, {kNoCoordinates, Stream::error}},
      " left molecules without 3D coordinates",
      "It could not make 3D coordinates for some molecules and wrote them flat (or with "
      "coordinates that are no numbers, \"nan\") to ",
      ": what was written for them is of no use, and what was written for the others is "
      "kept. Open Babel 3.1.1 makes no coordinates at all at the speeds \"fastest\" and "
      "\"fast\"."};
  if (concerned == Concerned::every) {
    words.before =
        "It could not make 3D coordinates for any of the molecules and wrote every one flat (or "
        "with coordinates that are no numbers, \"nan\") to ";
    words.after =
        ": what was written for them is of no use. Open Babel 3.1.1 makes no coordinates at "
        "all at the speeds \"fastest\" and \"fast\".";
  }
  return words;
}

// The output as a sentence names it: the file, or the numbered files of a split.
std::string outputNames(const std::string& outputPath, OutputKind kind) {
  return kind == OutputKind::splitFiles ? numberedOutputNames(outputPath)
                                        : "\"" + outputPath + "\"";
}

}  // namespace

std::optional<platform::AlertRequest> runFailureAlert(
    const platform::posix::BashRun& run, Failures failures, const std::string& program,
    const std::optional<std::string>& pipedOutput) {
  platform::AlertRequest alert;
  alert.buttons = {"OK"};
  if (run.startError == E2BIG) {
    alert.messageText = "The command is too long to run";
    alert.informativeText =
        "Nothing was run: Linux takes at most 128 KiB in one program argument, and bash gets "
        "the whole command as one. Shorten the long value in it (a path, a title, a SMARTS).";
  } else if (run.startError != 0) {
    alert.messageText = "The command could not be started";
    alert.informativeText = std::string("Nothing was run: /bin/bash could not be started (") +
                            std::strerror(run.startError) + ").";
  } else if (failures == Failures::notStarted && run.exitStatus &&
             (*run.exitStatus == 126 || *run.exitStatus == 127)) {
    // bash's own statuses for a program it cannot find or execute: nothing ran, so the pane
    // has no report of the program's to show instead.
    alert.messageText = "The program could not be run";
    alert.informativeText = withErrorLines(
        "Nothing ran: bash found no program it could execute at the path in the command. Check "
        "the obabel path in Preferences.",
        run.errorTail);
  } else if (int signal = endingSignal(run); failures == Failures::any && signal != 0) {
    // With pipefail the status is the last run's that failed; the second run's own output is
    // read to its end, so only the first can die of a broken pipe.
    if (signal == SIGPIPE && pipedOutput) return brokenPipeAlert(run, program, *pipedOutput);
    alert.messageText = program + " crashed";
    alert.informativeText =
        withErrorLines("It was ended by signal " + std::to_string(signal) + " (" +
                           ::strsignal(signal) + "); what it writes may be missing or cut short.",
                       run.errorTail);
  } else if (failures == Failures::any && run.failed()) {
    alert.messageText = program + " failed";
    alert.informativeText = withErrorLines(
        "It ended with exit status " + std::to_string(*run.exitStatus) + ".", run.errorTail);
  } else {
    return std::nullopt;
  }
  return alert;
}

std::optional<platform::AlertRequest> emptyOutputAlert(const platform::posix::BashRun& run,
                                                       const std::string& program,
                                                       const std::string& outputPath) {
  struct stat info {};
  if (::stat(outputPath.c_str(), &info) == 0 && info.st_size > 0) return std::nullopt;
  return unusableOutputAlert(
      run, program + " wrote nothing",
      "The run left the output file \"" + outputPath + "\" empty: it gave no result.");
}

platform::AlertRequest unusableOutputAlert(const platform::posix::BashRun& run,
                                           const std::string& title, const std::string& sentence,
                                           const std::string& failedPhrase) {
  return alertWithLines(title, sentence, run.errorTail, failedPhrase);
}

const std::vector<platform::posix::WatchedPhrase>& leftOutLines() {
  static const std::vector<platform::posix::WatchedPhrase> lines = [] {
    std::vector<platform::posix::WatchedPhrase> all;
    for (LeftOut why : {LeftOut::forceFieldTypes, LeftOut::threeDCoordinates,
                        LeftOut::indexCandidates, LeftOut::unlikeDimensions})
      for (SaidOn said : wordsFor(why).lines)
        all.push_back({said.line, said.stream, said.alsoSaying});
    return all;
  }();
  return lines;
}

std::optional<platform::AlertRequest> leftOutAlert(const platform::posix::BashRun& run, LeftOut why,
                                                   const std::string& program,
                                                   const std::string& outputPath, OutputKind kind,
                                                   Concerned concerned) {
  LeftOutWords words = wordsFor(why, concerned);
  std::optional<std::string> line;
  Stream stream = Stream::error;
  for (SaidOn said : words.lines)
    if (!line && (line = run.lineSaying(said.line))) stream = said.stream;
  if (!line) return std::nullopt;
  std::string sentence = words.before + outputNames(outputPath, kind) + words.after;
  // It says so once for each molecule, so the count is the user's to know.
  if (why == LeftOut::unlikeDimensions) {
    size_t count = std::max<size_t>(run.timesSaid(words.lines.front().line), 1);
    sentence = std::to_string(count) + (count == 1 ? " molecule was" : " molecules were") +
               " left out. " + sentence;
  }
  // Confab says it on standard output: its error lines are only obabel's counts, which count
  // none of the conformers Confab wrote, so its own line is the one shown.
  if (stream == Stream::output) return alertWithLines(program + words.title, sentence, *line);
  // Later warnings may push it out of the error tail.
  if (lastErrorLines(run.errorTail, *line).find(*line) == std::string::npos)
    sentence += " It wrote \"" + *line + "\".";
  return unusableOutputAlert(run, program + words.title, sentence, *line);
}

platform::AlertRequest flatOutputAlert(const platform::posix::BashRun& run,
                                       const std::string& program, const std::string& outputPath,
                                       Concerned concerned) {
  LeftOutWords words = wordsFor(LeftOut::threeDCoordinates, concerned);
  return unusableOutputAlert(
      run, program + words.title,
      words.before + outputNames(outputPath, OutputKind::file) + words.after);
}

bool saidLeftOut(platform::Platform& platform, const platform::posix::BashRun& run, LeftOut why,
                 const std::string& program, const std::string& outputPath, OutputKind kind,
                 Concerned concerned) {
  return said(platform, leftOutAlert(run, why, program, outputPath, kind, concerned));
}

bool saidEmptyOutput(platform::Platform& platform, const platform::posix::BashRun& run,
                     const std::string& program, const std::string& outputPath) {
  return said(platform, emptyOutputAlert(run, program, outputPath));
}

bool saidRunFailure(platform::Platform& platform, const platform::posix::BashRun& run,
                    Failures failures, const std::string& program,
                    const std::optional<std::string>& pipedOutput) {
  return said(platform, runFailureAlert(run, failures, program, pipedOutput));
}

}  // namespace molbench
