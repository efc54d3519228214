#pragma once

namespace molbench {

inline constexpr const char* kMissingPathMessage =
    "You must add path to Openbabel in the preferences";
inline constexpr const char* kMissingPathInformation =
    "You can find the path by typing which obabel in a Terminal window";
inline constexpr const char* kPreferencesPlaceholder = "Need Path";
inline constexpr const char* kPreferencesNotSavedMessage = "The obabel path could not be saved";
inline constexpr const char* kPreferencesNotSavedInformation =
    "Molbench's settings file cannot be written (its folder may be a file, or the disk may be "
    "full or read-only), so the path was not stored.";
inline constexpr const char* kHelpPagePath = "help/index.html";

}  // namespace molbench
