#include "common/IndexQuery.h"

#include <stdlib.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "common/ReportShell.h"
#include "common/ShellQuote.h"
#include "common/TextFile.h"

namespace molbench {

namespace {

// The error obabel's index search gives when it could not make a molecule of its query; any
// parser's complaint before it says why.
constexpr const char* kTargetErrorHeader = "*** Open Babel Error  in ObtainTarget";

// The blanks atoi and atof skip before a number; after one they stop there.
constexpr const char* kBlanks = " \t\n\v\f\r";

std::string trimmed(const std::string& text) {
  size_t first = text.find_first_not_of(kBlanks);
  if (first == std::string::npos) return "";
  return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

bool allDigits(const std::string& text) {
  return !text.empty() && text.find_first_not_of("0123456789") == std::string::npos;
}

// A fraction as obabel reads one whole: digits around one ".", at least one digit.
bool isFraction(const std::string& text) {
  size_t dot = text.find('.');
  if (dot == std::string::npos || text.find('.', dot + 1) != std::string::npos) return false;
  std::string whole = text.substr(0, dot), part = text.substr(dot + 1);
  return (allDigits(whole) || whole.empty()) && (allDigits(part) || part.empty()) &&
         whole.size() + part.size() > 0;
}

// A number that atoi (or, for a fraction, atof) reads whole: blanks, a sign, then digits, or
// digits around one ".", then blanks.
bool readWhole(std::string text, bool fraction) {
  text = trimmed(text);
  if (!text.empty() && (text[0] == '+' || text[0] == '-')) text.erase(0, 1);
  return allDigits(text) || (fraction && isFraction(text));
}

// A private folder for one check, removed with it.
class ScratchFolder {
 public:
  explicit ScratchFolder(const std::string& parent) {
    std::string pattern = parent + "/indexquery-XXXXXX";
    if (::mkdtemp(pattern.data()))
      path_ = pattern;
    else
      error_ = std::strerror(errno);
  }
  ~ScratchFolder() {
    std::error_code ignored;
    if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  const std::string& path() const { return path_; }
  // Why the folder could not be made.
  const std::string& error() const { return error_; }

 private:
  std::string path_, error_;
};

}  // namespace

std::string similarityPiece(const std::string& similarityText) {
  if (similarityText.empty()) return "";
  return " -at" + shellWord(similarityText);
}

std::optional<std::string> similarityProblem(const std::string& similarityText) {
  if (similarityText.empty()) return std::nullopt;
  // obabel skips blanks before a number itself, and stops reading it at a blank after it. A
  // text with "." is a least similarity, or a range "least,most" with each bound read on its
  // own ("0.7, 0.9" too); any other a number of molecules.
  std::string text = trimmed(similarityText);
  bool fraction = text.find('.') != std::string::npos;
  size_t comma = fraction ? text.find(',') : std::string::npos;
  if (comma == std::string::npos
          ? readWhole(text, fraction)
          : readWhole(text.substr(0, comma), true) && readWhole(text.substr(comma + 1), true))
    return std::nullopt;
  return "obabel reads the similarity \"" + similarityText +
         "\" as no number it can use: it takes what it can of the text (\"0,7\" as 0 "
         "molecules, \"1e-1\" as 1) and finds other molecules than meant, or none, with no word, "
         "after emptying its output. Type a fraction such as 0.7 (the molecules at least that "
         "similar; 0.7,0.9 for those in between), a whole number such as 10 (the 10 most "
         "similar molecules), or nothing for a substructure search.";
}

std::string indexQueryCheckCommand(const std::string& obabelPath, const std::string& indexPath,
                                   const std::string& query, const std::string& similarityText) {
  return programWord(obabelPath) + " " + quotedPath(indexPath) + " -onul -s " + optionValue(query) +
         similarityPiece(similarityText) + " 2>&1";
}

std::string obabelMessages(const std::string& output, const std::string& header) {
  std::string words;
  size_t at = output.find(header);
  while (at != std::string::npos) {
    // The message is the indented lines under the header.
    size_t start = output.find('\n', at);
    while (start != std::string::npos && start + 1 < output.size() && output[start + 1] == ' ') {
      size_t end = output.find('\n', start + 1);
      std::string line = trimmed(output.substr(start + 1, end - start - 1));
      if (!line.empty()) words += (words.empty() ? "" : "\n") + line;
      start = end;
    }
    at = start == std::string::npos ? start : output.find(header, start);
  }
  return words;
}

std::optional<std::string> indexQueryError(const std::string& checkOutput) {
  if (checkOutput.find(kTargetErrorHeader) == std::string::npos) return std::nullopt;
  return obabelMessages(checkOutput);
}

IndexQueryFinding indexQueryProblem(const std::string& obabelPath, const std::string& query,
                                    const std::string& similarityText,
                                    const std::string& scratchFolder) {
  ScratchFolder folder(scratchFolder);
  if (folder.path().empty())
    return {IndexQueryFinding::notChecked,
            "no folder could be made for it in the temporary folder \"" + scratchFolder +
                "\": " + folder.error()};
  // The index's molecule hardly matters: obabel reads the query before it searches.
  const std::string molecules = folder.path() + "/one.smi", index = folder.path() + "/one.fs";
  if (!writeTextFileAtomically(molecules, "C\n"))
    return {IndexQueryFinding::notChecked,
            "its molecule file could not be written in \"" + folder.path() + "\""};
  auto run = shellReport(programWord(obabelPath) + " " + quotedPath(molecules) + " -ofs -O " +
                         quotedPath(index) + " >/dev/null 2>&1 && " +
                         indexQueryCheckCommand(obabelPath, index, query, similarityText));
  if (!run.output) return {IndexQueryFinding::notChecked, "bash could not be started"};
  auto words = indexQueryError(*run.output);
  if (!words) return {IndexQueryFinding::readable, ""};
  return {IndexQueryFinding::unreadable, *words};
}

}  // namespace molbench
