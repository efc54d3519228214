// The spectrophore similarity search: reading obspectrophore's text, the Euclidean distance of
// each database record from the query, and the result lines appended to the results file.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace molbench {

// The records of a spectrophore text: everything after the first "Angstrom" and two line
// feeds; nothing when the text holds no such header.
std::optional<std::string_view> spectrophoreRecords(std::string_view text);

// Whether the spectrophore file at the path holds its header and nothing after it, as
// obspectrophore writes it for an input it reads no molecule from. Reads only as far as the
// header's end and the next byte.
bool spectrophoreFileHoldsHeaderAlone(const std::string& path);

// One record: its fields split at tabs (the title first, then the values, then whatever follows
// the last tab), as the search keeps them.
struct SpectrophoreRecord {
  std::vector<std::string> fields;
  std::string title;
  std::vector<double> values;
};

// Splits at tabs; the first field is the title, the last is dropped and every field between is
// read as a number. Nothing when there is no tab or a value field is no plain decimal number.
std::optional<SpectrophoreRecord> parseSpectrophoreRecord(std::string_view text);

// The square root of the sum of squared differences over the query's values; record values
// beyond them are ignored. The record must hold at least as many values as the query.
double spectrophoreDistance(const std::vector<double>& query, const std::vector<double>& record);

// "%0.2f", independent of the locale.
std::string formattedDistance(double distance);

// The line `echo` would append for the title and the distance: the title's blank- or
// tab-separated words and the distance joined by single blanks, and a line feed. The title's
// bytes stay as they are, whatever their encoding, but for NUL, which no shell argument can
// carry (it would cut the command that appends the line, and the lines with it).
std::string resultLine(std::string_view title, const std::string& distance);

struct SpectrophoreSearchResult {
  // The pieces of the database text after the header, split at line feeds (the records plus
  // the piece after the last line feed, empty when the text ends with one).
  std::size_t pieceCount = 0;
  // One line per record compared, in database order.
  std::string lines;
  std::size_t recordsCompared = 0;
  // The last record compared, or the one at which the search stopped.
  SpectrophoreRecord lastRecord;
  // Why the search stopped before the end, when it did.
  std::optional<std::string> stopReason;
};

// Compares every record of the database records (the text after the header) with the query,
// the last one too when no line feed follows it. A record that cannot be read, or a last one
// cut short, stops the search; the lines for the records before it are kept.
SpectrophoreSearchResult searchSpectrophores(const std::vector<double>& query,
                                             std::string_view databaseRecords);

// Commands that append the lines to the results file through the shell, each line one
// single-quoted argument of printf, in as few commands as stay below bash's limit on the length
// of one argument. No command when there are no lines.
std::vector<std::string> resultAppendCommands(const std::string& lines,
                                              const std::string& resultsPath);

}  // namespace molbench
