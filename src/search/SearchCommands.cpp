#include "search/SearchCommands.h"

#include "common/CommandFragments.h"
#include "common/FastSearchIndex.h"
#include "common/ShellQuote.h"

namespace molbench {

void updateQueryPieces(const QuerySettings& s, SearchPieces& p) {
  p.syntaxSimscore = similarityPiece(s.similarity);
  if (auto fragment = smartsFragment(s.smartsMode, s.smarts)) p.osmartsConvert = *fragment;
}

ComposedCommand composeFileSearch(const std::string& obabelPath, const FileSearchSettings& s,
                                  SearchPieces& p) {
  ComposedCommand result;
  updateQueryPieces(s, p);
  updateFormatFlags(s, p, result);
  // The last named output format's code is added even when the format is now left to the
  // extension: the search always writes in some format.
  result.outputPath = withFormatExtension(s.outputPath, p.ofirstWord, true);
  result.command = programWord(obabelPath) + " " + p.iFileType + " " + quotedPath(s.inputPath) +
                   " " + p.iFileTypeOption + " " + p.oFileType + " " + p.oFileTypeOption + " -O " +
                   quotedPath(s.outputPath) + result.outputPath.substr(s.outputPath.size()) +
                   p.osmartsConvert + " " + p.syntaxSimscore;
  return result;
}

std::string indexBuildCommand(const std::string& obabelPath, const std::string& iFileType,
                              const std::string& inputPath, const std::string& indexPath) {
  return programWord(obabelPath) + " " + iFileType + " " + quotedPath(inputPath) + " -ofs -O " +
         optionValue(indexPath);
}

std::string indexSearchCommand(const std::string& obabelPath, const std::string& indexPath,
                               const std::string& outputPath, const std::string& syntaxSimscore,
                               const std::string& osmartsConvert) {
  return programWord(obabelPath) + " " + optionValue(indexPath) + " -O " + optionValue(outputPath) +
         " " + syntaxSimscore + " " + osmartsConvert;
}

bool indexPathNamesIndex(const std::string& indexPath) { return nameReadAsIndex(indexPath); }

}  // namespace molbench
