// The structure-editor page and the helper that writes and loads it (the page itself is proved
// in a real web engine by the Qt suite).
#include <gmock/gmock.h>

#include <filesystem>

#include "TestSupport.h"
#include "common/EditorPage.h"
#include "common/TemporaryDirectory.h"
#include "common/WebResources.h"
#include "platform/headless/Harness.h"

namespace molbench::testing {
namespace {

using ::testing::HasSubstr;

class EditorPage : public ::testing::Test {
 protected:
  headless::Harness h;
  headless::WebView webView;
  std::string folder = h.temporaryDirectory();
  std::string page = folder + "/theEditor.htm";
};

TEST_F(EditorPage, LoadsWithReadAccessAndTwoSlashesOnlyWhenTheFolderExists) {
  // A resource folder whose address holds a quote or an ampersand stays inside the attribute.
  EXPECT_THAT(editorPageText("file:///opt/a&b\"c'/"),
              HasSubstr("src=\"file:///opt/a&amp;b&quot;c&#39;//jsme/jsme.nocache.js\""));
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

  std::string folderUrl = temporaryDirectoryUrl(h).absoluteString();
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
