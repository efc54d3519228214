// The format flags that the conversion and search panes put into their obabel commands, set
// by one rule from the two format popups and the two options popups.
#pragma once

#include <optional>
#include <string>

namespace molbench {

// The titles of the four popups ("" for a popup with nothing selected).
struct FormatSettings {
  std::string inputFormat;
  std::string outputFormat;
  std::string readOption;
  std::string writeOption;
};

// `ofirstWord` carries over while the output format is left to the extension.
struct FormatFlags {
  std::string iFileType;
  std::string iFileTypeOption;
  std::string oFileType;
  std::string ofirstWord;
  std::string oFileTypeOption;
};

// A composed command, what the pane prints before it, and the file it writes.
struct ComposedCommand {
  std::string command;
  // The input-format title, written as a line of its own before anything runs; absent when
  // the format is left to the extension.
  std::optional<std::string> inputFormatLine;
  // The output file the command names, unquoted, extension added.
  std::string outputPath;
};

// Updates the pieces from the popups; true when an output format is named.
bool updateFormatFlags(const FormatSettings& settings, FormatFlags& pieces,
                        ComposedCommand& composed);

// The output path as the command writes it: with "." and `ofirstWord` when a format is named
// and the path holds no "." at all.
std::string withFormatExtension(const std::string& path, const std::string& ofirstWord,
                                bool formatNamed);

}  // namespace molbench
