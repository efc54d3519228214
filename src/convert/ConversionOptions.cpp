#include "convert/ConversionOptions.h"

namespace molbench {

std::string optionsThat(const ConversionPieces& p, unsigned taken, unsigned left,
                        const OptionTexts& texts) {
  std::string result;
  for (const auto& option : conversionOptions()) {
    if (!(option.does & taken) || (option.does & left)) continue;
    std::string text = p.*option.piece;
    for (const auto& [piece, given] : texts)
      if (piece == option.piece) text = given;
    result += text;
  }
  return result;
}

bool anyOptionThat(const ConversionPieces& p, unsigned does, unsigned alsoDoes) {
  for (const auto& option : conversionOptions())
    if ((option.does & does) && (option.does & alsoDoes) == alsoDoes && !(p.*option.piece).empty())
      return true;
  return false;
}

}  // namespace molbench
