#include "tools/SpectrophoreSearch.h"

#include <charconv>
#include <cmath>
#include <fstream>

#include "common/ShellQuote.h"

namespace molbench {

namespace {

constexpr std::string_view kHeaderEnd = "Angstrom\n\n";

// bash receives the whole command as one argument, which Linux limits to 128 KiB.
constexpr std::size_t kCommandBudget = 100000;

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// An optional sign, digits with an optional fraction (or a fraction alone), an optional
// exponent, and nothing else: no blanks, no "inf", "nan" or hexadecimal.
std::optional<double> plainDecimal(std::string_view field) {
  bool plus = !field.empty() && field.front() == '+';
  if (plus) field.remove_prefix(1);
  std::size_t first = !plus && !field.empty() && field.front() == '-' ? 1 : 0;
  if (first >= field.size() || !(field[first] == '.' || isDigit(field[first]))) return std::nullopt;
  double value = 0;
  auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
  if (error != std::errc() || end != field.data() + field.size()) return std::nullopt;
  return value;
}

std::vector<std::string_view> splitAt(std::string_view text, char separator) {
  std::vector<std::string_view> pieces;
  std::size_t start = 0;
  while (true) {
    std::size_t end = text.find(separator, start);
    if (end == std::string_view::npos) {
      pieces.push_back(text.substr(start));
      return pieces;
    }
    pieces.push_back(text.substr(start, end - start));
    start = end + 1;
  }
}

// The title and the values of one record, read without keeping its fields: the search reads
// every record of a large database this way.
bool readRecord(std::string_view text, std::string_view& title, std::vector<double>& values) {
  std::size_t tab = text.find('\t');
  if (tab == std::string_view::npos) return false;
  title = text.substr(0, tab);
  values.clear();
  for (std::size_t next; (next = text.find('\t', tab + 1)) != std::string_view::npos; tab = next) {
    auto value = plainDecimal(text.substr(tab + 1, next - tab - 1));
    if (!value) return false;
    values.push_back(*value);
  }
  return true;
}

// Why the search stops at the record of this number.
std::string stopReason(std::size_t number, bool cutShort, bool readable, std::string_view title,
                       std::size_t values, std::size_t queryValues) {
  std::string where = "record " + std::to_string(number);
  if (cutShort)
    return where +
           ", the last, is cut short: it ends in neither the tab nor the line feed that "
           "end every whole record";
  if (!readable) return where + " is not a title followed by tab-separated numbers";
  return where + " (" + std::string(title) + ") has " + std::to_string(values) +
         " values, the query " + std::to_string(queryValues);
}

std::size_t quotedSize(char c) { return c == '\'' ? 4 : 1; }

}  // namespace

std::optional<std::string_view> spectrophoreRecords(std::string_view text) {
  std::size_t at = text.find(kHeaderEnd);
  if (at == std::string_view::npos) return std::nullopt;
  return text.substr(at + kHeaderEnd.size());
}

bool spectrophoreFileHoldsHeaderAlone(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::string text;
  char buffer[4096];
  while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
    text.append(buffer, static_cast<std::size_t>(in.gcount()));
    if (auto records = spectrophoreRecords(text); records && !records->empty()) return false;
  }
  auto records = spectrophoreRecords(text);
  return records && records->empty();
}

std::optional<SpectrophoreRecord> parseSpectrophoreRecord(std::string_view text) {
  std::string_view title;
  SpectrophoreRecord record;
  if (!readRecord(text, title, record.values)) return std::nullopt;
  record.title = title;
  auto pieces = splitAt(text, '\t');
  record.fields.assign(pieces.begin(), pieces.end());
  return record;
}

double spectrophoreDistance(const std::vector<double>& query, const std::vector<double>& record) {
  double sum = 0;
  for (std::size_t i = 0; i < query.size(); ++i) {
    double difference = query[i] - record[i];
    sum += difference * difference;
  }
  return std::sqrt(sum);
}

std::string formattedDistance(double distance) {
  // Room for the 309 digits of the largest double.
  char buffer[512];
  auto [end, error] =
      std::to_chars(buffer, buffer + sizeof buffer, distance, std::chars_format::fixed, 2);
  if (error != std::errc()) return "nan";
  return std::string(buffer, end);
}

std::string resultLine(std::string_view rawTitle, const std::string& distance) {
  std::string title(rawTitle);
  std::erase(title, '\0');
  std::string line;
  std::size_t at = 0;
  while (at < title.size()) {
    std::size_t start = title.find_first_not_of(" \t", at);
    if (start == std::string::npos) break;
    std::size_t end = title.find_first_of(" \t", start);
    if (end == std::string::npos) end = title.size();
    line.append(title, start, end - start).push_back(' ');
    at = end;
  }
  return line + distance + "\n";
}

SpectrophoreSearchResult searchSpectrophores(const std::vector<double>& query,
                                             std::string_view databaseRecords) {
  SpectrophoreSearchResult result;
  auto pieces = splitAt(databaseRecords, '\n');
  result.pieceCount = pieces.size();
  std::string_view title;
  std::vector<double> values;
  for (std::size_t i = 0; i < pieces.size(); ++i) {
    bool last = i + 1 == pieces.size();
    // A file whose records all end with a line feed leaves an empty piece after the last one.
    if (last && pieces[i].empty()) break;
    // obspectrophore ends every record's values with a tab; a last record without its line
    // feed is still the user's data when that tab is there, and was cut short when it is not.
    bool cutShort = last && pieces[i].back() != '\t';
    bool readable = !cutShort && readRecord(pieces[i], title, values);
    if (!readable || values.size() < query.size()) {
      result.stopReason = stopReason(i + 1, cutShort, readable, title, values.size(), query.size());
      auto record = parseSpectrophoreRecord(pieces[i]);
      result.lastRecord =
          record
              ? std::move(*record)
              : SpectrophoreRecord{{}, std::string(pieces[i].substr(0, pieces[i].find('\t'))), {}};
      return result;
    }
    result.lines += resultLine(title, formattedDistance(spectrophoreDistance(query, values)));
    ++result.recordsCompared;
  }
  if (result.recordsCompared > 0)
    result.lastRecord = *parseSpectrophoreRecord(pieces[result.recordsCompared - 1]);
  return result;
}

std::vector<std::string> resultAppendCommands(const std::string& lines,
                                              const std::string& resultsPath) {
  std::vector<std::string> commands;
  const std::string tail = " >> " + quotedPath(resultsPath);
  const std::string head = "printf '%s' ";
  std::size_t budget = kCommandBudget > tail.size() + head.size() + 2
                           ? kCommandBudget - tail.size() - head.size() - 2
                           : 1;
  std::size_t start = 0;
  while (start < lines.size()) {
    std::size_t end = start;
    std::size_t size = 0;
    while (end < lines.size() && (end == start || size + quotedSize(lines[end]) <= budget))
      size += quotedSize(lines[end++]);
    commands.push_back(head + quotedPath(lines.substr(start, end - start)) + tail);
    start = end;
  }
  return commands;
}

}  // namespace molbench
