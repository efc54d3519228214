// The structure-editor page and the helper that writes and loads it.
#include <gmock/gmock.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "common/EditorPage.h"
#include "common/TemporaryDirectory.h"
#include "common/WebResources.h"
#include "platform/headless/Harness.h"

namespace molbench {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

std::string readFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

class EditorPage : public ::testing::Test {
 protected:
  headless::Harness h;
  headless::WebView webView;
  std::filesystem::path folder{h.temporaryDirectory()};
  std::filesystem::path page = folder / "theEditor.htm";
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
}

TEST_F(EditorPage, ScriptAddressHasTwoSlashesOnlyWhenTheFolderExists) {
  auto resources = folder / "app resources";
  std::filesystem::create_directory(resources);
  h.setResourcePath(resources.string());
  loadEditor(h, webView, temporaryDirectoryUrl(h), false);
  EXPECT_THAT(readFile(page), HasSubstr("app%20resources/forwebview/jsme/jsme.nocache.js"));

  std::filesystem::create_directory(resources / "forwebview");
  loadEditor(h, webView, temporaryDirectoryUrl(h), false);
  EXPECT_THAT(readFile(page), HasSubstr("app%20resources/forwebview//jsme/jsme.nocache.js"));
  EXPECT_EQ(readFile(page).size(), 360 + webResourceBase(h)->size());
  EXPECT_THAT(h.diagnostics(), ElementsAre("for webpage", "for webpage"))
      << "the tools window's form prints no address";
}

TEST_F(EditorPage, RewriteReplacesThePageWholeAndLeavesNothingAside) {
  std::ofstream(page) << "an older, longer page that must not shine through at its end";
  std::filesystem::create_hard_link(page, folder / "earlier.htm");
  loadEditor(h, webView, temporaryDirectoryUrl(h), true);
  EXPECT_EQ(readFile(page), editorPageText(*webResourceBase(h)));
  EXPECT_THAT(readFile(folder / "earlier.htm"), ::testing::StartsWith("an older"))
      << "the new page is a new file moved into place, not the old one rewritten";

  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  EXPECT_THAT(names, ElementsAre("earlier.htm", "theEditor.htm"));
}

TEST_F(EditorPage, FolderWithBlanksIsEncodedInTheAddress) {
  auto odd = folder / "my temp #1";
  std::filesystem::create_directory(odd);
  loadEditor(h, webView, platform::FileUrl::fromPath(odd.string(), true), true);
  ASSERT_EQ(webView.loadDetails().size(), 1u);
  EXPECT_THAT(webView.loadDetails()[0].url, HasSubstr("/my%20temp%20%231/theEditor.htm"));
  EXPECT_THAT(webView.loadDetails()[0].readAccessUrl, ::testing::EndsWith("/my%20temp%20%231/"));
  EXPECT_TRUE(std::filesystem::exists(odd / "theEditor.htm"));
}

}  // namespace
}  // namespace molbench
