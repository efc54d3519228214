// What can keep an index build from leaving an index that searches can trust, judged before and
// after obabel runs. obabel indexes only a format whose reader can skip from one molecule to
// the next; of any other it says "Input format does not have a SkipObjects function", leaves an
// empty index file in place of the old one, and exits 0. Of some formats that it can skip in,
// its index misses molecules or holds none, with no word.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace molbench {

// Whether obabel 3.1.1 builds an index of a file in the format of this code (matched without
// regard to ASCII case) through which a search finds what a search of the file finds. Measured
// with the real obabel over the formats it reads, on files of several molecules it wrote.
bool indexableFormat(std::string_view code);

// Why obabel cannot build a sound index of the input in the format it reads it in (the code of
// the chosen "-i" flag, or else the format its name gives), with what to do: the format, or how
// the file's last molecule ends. Nothing when it can, or when the name gives no format (the
// input check refuses that already).
std::optional<std::string> unindexableInputProblem(const std::string& inputFormatFlag,
                                                   const std::string& inputPath,
                                                   const std::string& indexPath);

// What is wrong with what a build left at the index path: no file, an empty one, one that is no
// fast-search index, an index of no molecule, or one whose molecules have no structure. Nothing
// for a usable index.
std::optional<std::string> builtIndexProblem(const std::string& indexPath);

inline constexpr const char* kNoIndexAlertTitle = "obabel built no index";

}  // namespace molbench
