// The search pane's editor button: the page it writes, what it prints, how the web view loads.
#include <gmock/gmock.h>

#include <filesystem>

#include "SearchTestSupport.h"
#include "common/EditorPage.h"
#include "platform/FileUrl.h"

namespace molbench::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class SearchEditor : public SearchPaneTest {
 protected:
  std::string pageUrl() {
    return "file://" + platform::percentEncodePath(temp()) + "/theEditor.htm";
  }
};

TEST_F(SearchEditor, WritesThePageAndLoadsItWithAccessToTheTemporaryDirectory) {
  std::string resources = temp() + "/resources";
  std::filesystem::create_directories(resources + "/forwebview");
  h.setResourcePath(resources);
  h.press(pane, "loadEditor:");

  EXPECT_EQ(pane.temporaryDirectory.absoluteString(),
            "file://" + platform::percentEncodePath(temp()) + "/");
  EXPECT_THAT(h.diagnostics(), ElementsAre("for webpage", pageUrl()));
  auto loads = h.webView(pane, "molView").loadDetails();
  ASSERT_EQ(loads.size(), 1u);
  EXPECT_EQ(loads[0].url, pageUrl());
  EXPECT_EQ(loads[0].readAccessUrl, pane.temporaryDirectory.absoluteString());
  EXPECT_EQ(readFile(temp() + "/theEditor.htm"),
            editorPageText("file://" + platform::percentEncodePath(resources) + "/forwebview/"));

  h.press(pane, "loadEditor:");
  EXPECT_EQ(h.webView(pane, "molView").loads().size(), 2u) << "each press reloads the editor";
}

TEST_F(SearchEditor, WithoutAResourceFolderNothingHappens) {
  h.setResourcePath(std::nullopt);
  h.press(pane, "loadEditor:");
  EXPECT_THAT(h.diagnostics(), IsEmpty());
  EXPECT_THAT(h.loads(pane, "molView"), IsEmpty());
  EXPECT_FALSE(std::filesystem::exists(temp() + "/theEditor.htm"));
}

}  // namespace
}  // namespace molbench::testing
