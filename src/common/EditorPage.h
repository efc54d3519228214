// The JSME structure-editor page "theEditor.htm" that the search pane, the viewer pane and the
// tools window show for drawing. The drawing is never read back.
#pragma once

#include <string>

#include "platform/Control.h"
#include "platform/FileUrl.h"
#include "platform/Platform.h"

namespace molbench {

inline constexpr const char* kEditorPageName = "theEditor.htm";

// The page: it loads "jsme/jsme.nocache.js" from the web resources and creates the editor,
// 380 by 340 pixels, as the global `jsmeApplet` in the element "jsme_container".
std::string editorPageText(const std::string& webResourceBase);

// Writes the page into the temporary directory (replacing any earlier one) and loads it with
// read access to that directory. Prints "for webpage", then the page address when asked.
// Does nothing when the program has no resource folder.
void loadEditor(platform::Platform& platform, platform::WebView& webView,
                const platform::FileUrl& temporaryDirectory, bool printsPageAddress);

}  // namespace molbench
