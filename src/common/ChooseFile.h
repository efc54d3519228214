// The file chooser behind every pane's choose buttons: a modal open panel with fixed flags (a
// file or a folder may be chosen, folders may be created, one item), used for output paths too.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/FileUrl.h"
#include "platform/Platform.h"

namespace molbench {

// The titles of the choosers, the same in every pane.
inline constexpr const char* kChooseInputTitle = "Choose input file";
inline constexpr const char* kChooseOutputTitle = "Choose output file";
inline constexpr const char* kChooseIndexTitle = "Choose the fastsearch file";
inline constexpr const char* kChooseReferenceTitle = "Choose reference file";
inline constexpr const char* kChooseTestTitle = "Choose test file";
inline constexpr const char* kChooseTemplateTitle = "Choose template file";

// The chosen item, or nothing on Cancel.
std::optional<platform::FileUrl> chooseFile(
    platform::Platform& platform, const std::string& title,
    const std::optional<std::vector<std::string>>& allowedExtensions = std::nullopt);

// Runs the chooser and puts the chosen path into the field; the chosen item, or nothing on
// Cancel (the field is left as it was).
std::optional<platform::FileUrl> chooseFileInto(
    platform::Platform& platform, const std::string& title, platform::TextField& field,
    const std::optional<std::vector<std::string>>& allowedExtensions = std::nullopt);

// The chosen item's folder followed by the ending ("/" alone, or "/" and a file name).
std::string folderPreset(const platform::FileUrl& chosen, const std::string& ending);

// The chosen path less its extension, followed by the ending (".fs").
std::string extensionPreset(const platform::FileUrl& chosen, const std::string& ending);

}  // namespace molbench
