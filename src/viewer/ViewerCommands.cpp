#include "viewer/ViewerCommands.h"

#include <algorithm>
#include <charconv>

#include "common/CommandFragments.h"
#include "common/ShellQuote.h"
#include "common/WebRequests.h"
#include "platform/FileUrl.h"

namespace molbench {

std::optional<std::string> derivedPath(const std::string& inputPath, const std::string& ending) {
  if (inputPath.empty()) return std::nullopt;
  return platform::FileUrl::fromPath(inputPath).deletingPathExtension().path() + ending;
}

std::string unquotedPath(const std::string& quoted) {
  if (quoted.size() < 2 || quoted.front() != '\'' || quoted.back() != '\'') return quoted;
  std::string inner = quoted.substr(1, quoted.size() - 2);
  std::string plain;
  for (size_t i = 0; i < inner.size(); ++i) {
    if (inner.compare(i, 4, "'\\''") == 0) {
      plain += '\'';
      i += 3;
    } else {
      plain += inner[i];
    }
  }
  return plain;
}

std::string countCommand(const std::string& obabelPath, const std::string& quotedInput) {
  return programWord(obabelPath) + " " + quotedInput + " " + kCountTail;
}

std::string titleCommand(const std::string& obabelPath, const std::string& quotedInput) {
  return programWord(obabelPath) + " " + quotedInput + "  -osmi  -xt";
}

int64_t moleculeCount(std::string_view output) {
  size_t end = output.size();
  while (end > 0 && (output[end - 1] == '\n' || output[end - 1] == '\r')) --end;
  size_t begin = output.rfind('\n', end == 0 ? 0 : end - 1);
  begin = begin == std::string_view::npos ? 0 : begin + 1;
  std::string_view last = output.substr(begin, end - begin);
  int64_t count = 0;
  auto [stop, error] = std::from_chars(last.data(), last.data() + last.size(), count);
  if (error != std::errc() || stop != last.data() + last.size() || count < 0) return 0;
  return count;
}

std::vector<std::string> splitLines(std::string_view text) {
  std::vector<std::string> pieces;
  size_t start = 0;
  for (;;) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) {
      pieces.emplace_back(text.substr(start));
      return pieces;
    }
    pieces.emplace_back(text.substr(start, end - start));
    start = end + 1;
  }
}

std::vector<molecule> moleculesOf(int64_t count, const std::vector<std::string>& titles,
                                  const std::string& quotedInput) {
  std::vector<molecule> records;
  records.reserve(static_cast<size_t>(count > 0 ? count : 0));
  for (int64_t i = 1; i <= count; ++i) {
    size_t index = static_cast<size_t>(i - 1);
    std::string name = index < titles.size() ? titles[index] : std::string();
    if (name.empty()) name = "mol" + std::to_string(i);
    records.emplace_back(i, std::move(name), 0, quotedInput);
  }
  return records;
}

std::string selectionFragment(int64_t ordinal) {
  std::string n = std::to_string(ordinal);
  return " -f " + n + " -l " + n;
}

std::string pictureOutputFragment(const std::string& picturePath) {
  return " -opng -O " + quotedPath(picturePath) + "  --Gen2D ";
}

std::string highlightFragment(const std::string& smarts) {
  if (smarts.empty()) return "";
  return " --highlight " + shellWord(smarts) + " red";
}

std::string depictionCommand(const std::string& obabelPath, const std::string& quotedFile,
                             const std::string& selection, const std::string& output,
                             const std::string& highlight) {
  return programWord(obabelPath) + " " + quotedFile + selection + output + highlight;
}

std::optional<std::string> filterFragment(const std::string& modeTitle, const std::string& smarts) {
  if (modeTitle == "matching") return " -s " + optionValue(smarts) + " ";
  if (modeTitle == "not_matching") return " -v " + optionValue(smarts) + " ";
  return std::nullopt;
}

std::string filterCommand(const std::string& obabelPath, const std::string& quotedInput,
                          const std::string& iFileType, const std::string& fragment) {
  // Titles say nothing of which molecule matched (many have none, or share one): obabel's
  // ordinal of each listed molecule does.
  return programWord(obabelPath) + " " + quotedInput + " " + iFileType + "  -osmi  -xt " +
         fragment + "--addinindex";
}

std::vector<int64_t> listedOrdinals(std::string_view listing) {
  std::vector<int64_t> ordinals;
  for (const auto& line : splitLines(listing)) {
    size_t end = line.find_last_not_of(" \t\r");
    if (end == std::string::npos) continue;
    size_t begin = line.find_last_of(" \t", end);
    begin = begin == std::string::npos ? 0 : begin + 1;
    int64_t ordinal = 0;
    auto [stop, error] = std::from_chars(line.data() + begin, line.data() + end + 1, ordinal);
    if (error == std::errc() && stop == line.data() + end + 1 && ordinal > 0)
      ordinals.push_back(ordinal);
  }
  return ordinals;
}

std::string exportCopyCommand(const std::string& obabelPath, const std::string& quotedFile,
                              int64_t ordinal, const std::string& temporaryPath) {
  return programWord(obabelPath) + " " + quotedFile + selectionFragment(ordinal) + " " + " -O " +
         quotedPath(temporaryPath);
}

std::string exportJoinCommand(const std::string& obabelPath, const std::string& temporaryPath,
                              const std::string& exportPath) {
  return programWord(obabelPath) + " " + quotedPath(temporaryPath) + " " + quotedPath(exportPath) +
         " -O " + quotedPath(exportPath);
}

std::optional<std::string> pubchemResultLine(const std::string& answer, const std::string& name) {
  if (answer.find_first_not_of(" \t\r\n") == std::string::npos) return std::nullopt;
  std::string text;
  text.reserve(answer.size());
  // NUL never reached the file even when the line went through the shell; the answer's line
  // end is judged without it.
  for (char c : answer)
    if (c != '\0') text += c;
  std::string line = withoutClosingLineEnd(std::move(text));
  std::replace(line.begin(), line.end(), '\n', '\t');
  return line + '\t' + name + '\n';
}

}  // namespace molbench
