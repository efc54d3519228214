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

TEST_F(SearchPaneTest, EditorPageIsWrittenAndLoadedWithAccessToTheTemporaryDirectory) {
  h.setResourcePath(std::nullopt);
  h.press(pane, "loadEditor:");
  EXPECT_THAT(h.loads(pane, "molView"), IsEmpty()) << "no resource folder, no page";

  std::string resources = temp() + "/resources";
  std::filesystem::create_directories(resources + "/forwebview");
  h.setResourcePath(resources);
  h.press(pane, "loadEditor:");
  std::string folderUrl = "file://" + platform::percentEncodePath(temp()) + "/";
  EXPECT_EQ(pane.temporaryDirectory.absoluteString(), folderUrl);
  EXPECT_THAT(h.diagnostics(), ElementsAre("for webpage", folderUrl + "theEditor.htm"));
  auto loads = h.webView(pane, "molView").loadDetails();
  ASSERT_EQ(loads.size(), 1u);
  EXPECT_EQ(loads[0].url, folderUrl + "theEditor.htm");
  EXPECT_EQ(loads[0].readAccessUrl, folderUrl);
  EXPECT_EQ(readFile(temp() + "/theEditor.htm"),
            editorPageText("file://" + platform::percentEncodePath(resources) + "/forwebview/"));
}

}  // namespace
}  // namespace molbench::testing
