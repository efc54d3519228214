// The structure-editor page and the helper that writes and loads it.
#include <gmock/gmock.h>

#include <filesystem>

#include "TestSupport.h"
#include "common/EditorPage.h"
#include "common/TemporaryDirectory.h"
#include "common/WebResources.h"
#include "platform/headless/Harness.h"

namespace molbench::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

class EditorPage : public ::testing::Test {
 protected:
  headless::Harness h;
  headless::WebView webView;
  std::string folder = h.temporaryDirectory();
  std::string page = folder + "/theEditor.htm";
};

TEST_F(EditorPage, TextIsTheFixedPageAroundTheResourceBase) {
  const std::string base = "file:///opt/molbench/forwebview/";
  const std::string text = editorPageText(base);
  EXPECT_EQ(text.size(), 360 + base.size());
  EXPECT_EQ(text,
            "<html>\n<head>\n"
            "<script type=\"text/javascript\" language=\"javascript\" "
            "src=\"file:///opt/molbench/forwebview//jsme/jsme.nocache.js\"></script>\n"
            "<script>\n"
            "//this function will be called after the JavaScriptApplet code has been loaded.\n"
            "function jsmeOnLoad() {\n"
            "jsmeApplet = new JSApplet.JSME(\"jsme_container\", \"380px\", \"340px\");\n"
            "}\n</script>\n</head>\n<body>\n<div id=\"jsme_container\"></div>\n</body>\n</html>");
  // A resource folder whose address holds a quote or an ampersand stays inside the attribute.
  EXPECT_THAT(
      editorPageText("file:///opt/a&b\"c'/"),
      ::testing::HasSubstr("src=\"file:///opt/a&amp;b&quot;c&#39;//jsme/jsme.nocache.js\""));
}

TEST_F(EditorPage, LoadsWithReadAccessAndTwoSlashesOnlyWhenTheFolderExists) {
  h.setResourcePath(std::nullopt);
  loadEditor(h, webView, temporaryDirectoryUrl(h), true);
  EXPECT_TRUE(webView.loadDetails().empty()) << "no resource folder, no page";

  std::string resources = folder + "/app resources";
  std::filesystem::create_directory(resources);
  h.setResourcePath(resources);
  loadEditor(h, webView, temporaryDirectoryUrl(h), false);
  EXPECT_THAT(readFile(page), HasSubstr("app%20resources/forwebview/jsme/jsme.nocache.js"));

  std::filesystem::create_directory(resources + "/forwebview");
  loadEditor(h, webView, temporaryDirectoryUrl(h), true);
  EXPECT_THAT(readFile(page), HasSubstr("app%20resources/forwebview//jsme/jsme.nocache.js"));
  EXPECT_EQ(readFile(page).size(), 360 + webResourceBase(h)->size());

  std::string folderUrl = temporaryDirectoryUrl(h).absoluteString();
  EXPECT_THAT(h.diagnostics(),
              ElementsAre("for webpage", "for webpage", folderUrl + kEditorPageName));
  ASSERT_EQ(webView.loadDetails().size(), 2u);
  EXPECT_EQ(webView.loadDetails()[1].url, folderUrl + kEditorPageName);
  EXPECT_EQ(webView.loadDetails()[1].readAccessUrl, folderUrl);
}

TEST_F(EditorPage, RewriteReplacesThePageWholeAndLeavesNothingAside) {
  writeFile(page, "an older, longer page that must not shine through at its end");
  std::filesystem::create_hard_link(page, folder + "/earlier.htm");
  loadEditor(h, webView, temporaryDirectoryUrl(h), true);
  EXPECT_EQ(readFile(page), editorPageText(*webResourceBase(h)));
  EXPECT_THAT(readFile(folder + "/earlier.htm"), ::testing::StartsWith("an older"))
      << "the new page is a new file moved into place, not the old one rewritten";
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 2);
}

}  // namespace
}  // namespace molbench::testing
