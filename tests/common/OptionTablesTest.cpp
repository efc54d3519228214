// Every option row against what `obabel -H <code>` documents for the formats that load it: the
// option belongs to that direction, means what the row says, and carries its value when it
// takes one, so it never swallows the next word of the command.
#include <gmock/gmock.h>

#include <cctype>
#include <map>
#include <regex>
#include <set>
#include <sstream>

#include "TestSupport.h"
#include "common/FormatTables.h"
#include "common/PopupHelpers.h"

namespace molbench::testing {
namespace {

struct Documented {
  std::string text;  // what obabel says of the option
  bool takesValue = false;
};

// The options of one direction ("Read" or "Write"): the section's option lines, and options the
// help text names in passing (``-xf``).
std::map<char, Documented> documentedOptions(const std::string& code,
                                             const std::string& direction) {
  std::string help = runForOutput(std::string(kObabel) + " -H" + code + " 2>&1");
  std::map<char, Documented> options;
  std::istringstream lines(help);
  bool inSection = false;
  static const std::regex optionLine(R"(^ {0,3}([A-Za-z0-9])(#?)(?: +(.*))?$)");
  for (std::string line; std::getline(lines, line);) {
    // Headings come as "Read Options" and as "Read options" (fch).
    static const std::regex heading(R"(^ *(Read|Write) [Oo]ptions.*$)");
    if (std::smatch h; std::regex_match(line, h, heading)) {
      inSection = h[1] == direction;
    } else if (inSection && line.empty()) {
      inSection = false;
    } else if (std::smatch m; inSection && std::regex_match(line, m, optionLine)) {
      std::string rest = m[3];
      bool value = m[2].length() > 0 || (!rest.empty() && (rest[0] == '<' || rest[0] == '"'));
      options[m[1].str()[0]] = {rest, value};
    }
  }
  static const std::regex mention(R"(``-([ax])([A-Za-z0-9]))");
  char prefix = direction == "Read" ? 'a' : 'x';
  for (std::sregex_iterator it(help.begin(), help.end(), mention), end; it != end; ++it)
    if ((*it)[1].str()[0] == prefix && !options.count((*it)[2].str()[0]))
      options[(*it)[2].str()[0]] = {help, true};
  return options;
}

// Lower-case beginnings of the words, so "bonding" meets "bonds".
std::set<std::string> stems(const std::string& text) {
  std::set<std::string> result;
  std::string word;
  for (char c : text + " ") {
    if (std::isalnum(static_cast<unsigned char>(c))) {
      word += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    } else {
      if (word.size() >= 3 && word != "the" && word != "and") result.insert(word.substr(0, 4));
      word.clear();
    }
  }
  return result;
}

// What is wrong with one row for one format, or "".
std::string problem(const std::string& row, const std::map<char, Documented>& options,
                    const std::string& prefix) {
  std::string token = firstWord(row);
  if (token.size() < 3 || token.compare(0, 2, prefix) != 0) return "is no " + prefix + " option";
  auto found = options.find(token[2]);
  if (found == options.end()) return "is not documented";
  if (found->second.takesValue != (token.size() > 3))
    return found->second.takesValue ? "lacks its value" : "is no single option";
  auto described = stems(found->second.text);
  for (const auto& stem : stems(row.substr(token.size())))
    if (described.count(stem)) return "";
  return "says something else than \"" + found->second.text + "\"";
}

void expectDocumented(const Titles& formats, bool input) {
  const auto& tables = formatTables();
  int checked = 0;
  for (const auto& format : formats) {
    std::string code = firstWord(format);
    const Titles* table =
        input ? tables.inputOptionsForCode(code) : tables.outputOptionsForCode(code);
    if (!table) continue;
    auto options = documentedOptions(code, input ? "Read" : "Write");
    for (const auto& row : *table) {
      if (row == kOptionsRow) continue;
      ++checked;
      EXPECT_EQ(problem(row, options, input ? "-a" : "-x"), "") << code << ": " << row;
    }
  }
  EXPECT_GT(checked, 70);
}

TEST(OptionTables, EveryRowIsAnOptionOfItsFormatInItsDirection) {
  expectDocumented(formatTables().iFileTypes, true);
  expectDocumented(formatTables().oFileTypes, false);
}

TEST(OptionTables, TablesFollowTheFormatCodeNotTheDescription) {
  const auto& tables = formatTables();
  EXPECT_EQ(tables.inputOptionsFor("sdf -- any wording"), &tables.inputMenuMdl);
  EXPECT_EQ(tables.outputOptionsFor("smi"), &tables.outputMenuSmi);
  EXPECT_EQ(tables.outputOptionsFor(kAutodetectRow), nullptr);
  // fch documents both rows under a lowercase heading; acr reads "-as" but not "-ab".
  EXPECT_EQ(tables.inputOptionsForCode("fch"), &tables.inputMenuRead);
  EXPECT_EQ(*tables.inputOptionsForCode("acr"),
            (Titles{"Options", "-as  Output single bonds only"}));
}

}  // namespace
}  // namespace molbench::testing
