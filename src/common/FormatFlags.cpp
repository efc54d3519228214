#include "common/FormatFlags.h"

#include "common/CommandFragments.h"
#include "common/FormatTables.h"
#include "common/PopupHelpers.h"

namespace molbench {

bool updateFormatFlags(const FormatSettings& s, FormatFlags& p, ComposedCommand& composed) {
  p.iFileType = inputFormatFlag(s.inputFormat);
  if (s.inputFormat != kAutodetectRow) composed.inputFormatLine = s.inputFormat;
  bool outputFormatNamed = s.outputFormat != kAutodetectRow;
  if (outputFormatNamed) {
    p.ofirstWord = firstWord(s.outputFormat);
    p.oFileType = "-o" + p.ofirstWord;
  } else {
    p.oFileType.clear();
  }
  p.iFileTypeOption = tokenUnless(s.readOption, kOptionsRow);
  p.oFileTypeOption = tokenUnless(s.writeOption, kOptionsRow);
  return outputFormatNamed;
}

std::string withFormatExtension(const std::string& path, const std::string& ofirstWord,
                                bool formatNamed) {
  if (!formatNamed || path.find('.') != std::string::npos) return path;
  return path + "." + ofirstWord;
}

}  // namespace molbench
