// Fixed texts the conversion pane shows.
#pragma once

namespace molbench {

inline constexpr const char* kFilterHelp =
    "You can filter on two types of property:\n"
    "        An SDF property, e.g. the identifier ROTATABLE_BOND could be a field, or a "
    "descriptor name e.g. MW is the ID of a descriptor which calculates molecular weight. Thus "
    "an example might be MW<130 ROTATABLE_BOND > 2";

inline constexpr const char* kCountPrefix = "The file contains ";
inline constexpr const char* kCountSuffix = "molecules";
inline constexpr const char* kNoCountAlertTitle = "No molecule count";
inline constexpr const char* kNotACommandTitle = "Nothing to run";

// What the command field holds when Count, List tags or the filter help filled it.
inline constexpr const char* kShownCount = "the molecule count";
inline constexpr const char* kShownTags = "the list of the input file's data fields";
inline constexpr const char* kShownFilterHelp = "the filter help";

}  // namespace molbench
