#include "search/SearchCommands.h"

#include "common/ShellQuote.h"

namespace molbench {

std::string similarityPiece(const std::string& similarityText) {
  if (similarityText.empty()) return "";
  return " -at" + shellWord(similarityText);
}

std::string fileSearchOutputText(const std::string& outputPath, const std::string& ofirstWord) {
  std::string text = quotedPath(outputPath);
  if (text.find('.') == std::string::npos) text += "." + ofirstWord;
  return text;
}

std::string fileSearchCommand(const FileSearchPieces& p) {
  return p.obabelPath + " " + p.iFileType + " " + quotedPath(p.inputPath) + " " +
         p.iFileTypeOption + " " + p.oFileType + " " + p.oFileTypeOption + " -O " + p.outputText +
         p.osmartsConvert + " " + p.syntaxSimscore;
}

std::string indexBuildCommand(const std::string& obabelPath, const std::string& iFileType,
                              const std::string& inputPath, const std::string& indexPath) {
  return obabelPath + " " + iFileType + " " + quotedPath(inputPath) + " -ofs -O " +
         shellWord(indexPath);
}

std::string indexSearchCommand(const std::string& obabelPath, const std::string& indexPath,
                               const std::string& outputPath, const std::string& syntaxSimscore,
                               const std::string& osmartsConvert) {
  return obabelPath + " " + shellWord(indexPath) + " -O " + shellWord(outputPath) + " " +
         syntaxSimscore + " " + osmartsConvert;
}

bool indexPathLacksExtension(const std::string& indexPath) {
  return indexPath.find('.') == std::string::npos;
}

}  // namespace molbench
