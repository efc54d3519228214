#include "common/EditorPage.h"

#include "common/HtmlText.h"
#include "common/TextFile.h"
#include "common/WebResources.h"

namespace molbench {

namespace {

constexpr const char* kPageHead =
    "<html>\n"
    "<head>\n"
    "<script type=\"text/javascript\" language=\"javascript\" src=\"";

constexpr const char* kPageTail =
    "/jsme/jsme.nocache.js\"></script>\n"
    "<script>\n"
    "//this function will be called after the JavaScriptApplet code has been loaded.\n"
    "function jsmeOnLoad() {\n"
    "jsmeApplet = new JSApplet.JSME(\"jsme_container\", \"380px\", \"340px\");\n"
    "}\n"
    "</script>\n"
    "</head>\n"
    "<body>\n"
    "<div id=\"jsme_container\"></div>\n"
    "</body>\n"
    "</html>";

}  // namespace

std::string editorPageText(const std::string& webResourceBase) {
  return kPageHead + htmlEscaped(webResourceBase) + kPageTail;
}

void loadEditor(platform::Platform& platform, platform::WebView& webView,
                const platform::FileUrl& temporaryDirectory, bool printsPageAddress) {
  auto base = webResourceBase(platform);
  if (!base) return;
  auto pageUrl =
      platform::FileUrl::fromString(temporaryDirectory.absoluteString() + kEditorPageName);
  if (!pageUrl) return;
  // A failed write leaves the previous page in place, which is the same text: load that.
  writeTextFileAtomically(pageUrl->path(), editorPageText(*base));
  platform.diagnostic("for webpage");
  if (printsPageAddress) platform.diagnostic(pageUrl->absoluteString());
  webView.loadFileURL(pageUrl->absoluteString(),
                      pageUrl->deletingLastPathComponent().absoluteString());
}

}  // namespace molbench
