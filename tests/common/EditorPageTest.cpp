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
using ::testing::EndsWith;
using ::testing::StartsWith;

std::string readFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

class EditorPage : public ::testing::Test {
 protected:
  EditorPage() : folder(h.temporaryDirectory()) {}
  std::filesystem::path page() const { return folder / "theEditor.htm"; }
  void load(bool printsAddress = true) {
    loadEditor(h, webView, temporaryDirectoryUrl(h), printsAddress);
  }

  headless::Harness h;
  std::filesystem::path folder;
  headless::WebView webView;
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
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 13) << "14 lines, the last unended";
}

TEST_F(EditorPage, ScriptAddressHasTwoSlashesOnlyWhenTheFolderExists) {
  auto resources = folder / "app resources";
  std::filesystem::create_directory(resources);
  h.setResourcePath(resources.string());
  EXPECT_EQ(webResourceBase(h), "file://" + platform::percentEncodePath(resources) + "/forwebview");
  load();
  EXPECT_THAT(readFile(page()), ::testing::HasSubstr("app%20resources/forwebview/jsme/"));

  std::filesystem::create_directory(resources / "forwebview");
  load();
  EXPECT_THAT(*webResourceBase(h), EndsWith("/forwebview/"));
  EXPECT_THAT(readFile(page()), ::testing::HasSubstr("/forwebview//jsme/jsme.nocache.js"));
  EXPECT_EQ(readFile(page()).size(), 360 + webResourceBase(h)->size());

  h.setResourcePath(std::nullopt);
  EXPECT_FALSE(webResourceBase(h).has_value());
}

TEST_F(EditorPage, PrintsTheAddressOnlyWhenAsked) {
  load(false);
  EXPECT_THAT(h.diagnostics(), ElementsAre("for webpage"));
  load(true);
  EXPECT_EQ(h.diagnostics().size(), 3u);
  EXPECT_THAT(h.diagnostics()[2], StartsWith("file://"));
  EXPECT_THAT(h.diagnostics()[2], EndsWith("/theEditor.htm"));
}

TEST_F(EditorPage, RewriteReplacesThePageWholeAndLeavesNothingAside) {
  std::ofstream(page()) << "an older, longer page that must not shine through at its end";
  auto earlierName = folder / "earlier.htm";
  std::filesystem::create_hard_link(page(), earlierName);

  load();
  std::string written = readFile(page());
  EXPECT_THAT(written, StartsWith("<html>\n"));
  EXPECT_THAT(written, EndsWith("</html>"));
  EXPECT_THAT(readFile(earlierName), StartsWith("an older"))
      << "the new page is a new file moved into place, not the old one rewritten";
  load();
  EXPECT_EQ(readFile(page()), written);
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  EXPECT_THAT(names, ElementsAre("earlier.htm", "theEditor.htm"));
}

TEST_F(EditorPage, FolderWithBlanksIsEncodedInTheAddressAndStillWritten) {
  auto odd = folder / "my temp #1";
  std::filesystem::create_directory(odd);
  loadEditor(h, webView, platform::FileUrl::fromPath(odd.string(), true), true);
  ASSERT_EQ(webView.loadDetails().size(), 1u);
  EXPECT_EQ(webView.loadDetails()[0].url,
            "file://" + platform::percentEncodePath(odd.string()) + "/theEditor.htm");
  EXPECT_THAT(webView.loadDetails()[0].url, ::testing::HasSubstr("my%20temp%20%231/"));
  EXPECT_EQ(webView.loadDetails()[0].readAccessUrl,
            "file://" + platform::percentEncodePath(odd.string()) + "/");
  EXPECT_TRUE(std::filesystem::exists(odd / "theEditor.htm"));
}

TEST_F(EditorPage, UnwritableFolderStillLoadsWhatIsThere) {
  auto gone = folder / "missing";
  loadEditor(h, webView, platform::FileUrl::fromPath(gone.string(), true), true);
  EXPECT_EQ(webView.loadDetails().size(), 1u);
  EXPECT_EQ(h.diagnostics().size(), 2u);
}

}  // namespace
}  // namespace molbench
