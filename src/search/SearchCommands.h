// The three obabel commands of the search pane: the SMARTS file search, the fast-search index
// build and the index search. Each is plain text that a test can read before bash runs it.
#pragma once

#include <string>

namespace molbench {

// " -at" and the typed threshold as one shell word, with no blank between; "" when the field
// is empty.
std::string similarityPiece(const std::string& similarityText);

// The quoted output path, with "." and the last output format code after the closing quote
// when the quoted text holds no "." at all.
std::string fileSearchOutputText(const std::string& outputPath, const std::string& ofirstWord);

struct FileSearchPieces {
  std::string obabelPath;
  std::string iFileType;
  std::string inputPath;
  std::string iFileTypeOption;
  std::string oFileType;
  std::string oFileTypeOption;
  std::string outputText;  // from fileSearchOutputText
  std::string osmartsConvert;
  std::string syntaxSimscore;
};

// Filters the input file into the output file.
std::string fileSearchCommand(const FileSearchPieces& pieces);

// Writes the fast-search index of the input file to the index path.
std::string indexBuildCommand(const std::string& obabelPath, const std::string& iFileType,
                              const std::string& inputPath, const std::string& indexPath);

// Searches the index into the output file.
std::string indexSearchCommand(const std::string& obabelPath, const std::string& indexPath,
                               const std::string& outputPath, const std::string& syntaxSimscore,
                               const std::string& osmartsConvert);

// An index path with no "." anywhere cannot name a ".fs" file: the user is told before the
// search runs.
bool indexPathLacksExtension(const std::string& indexPath);

}  // namespace molbench
