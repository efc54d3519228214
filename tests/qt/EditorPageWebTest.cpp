// The editor page as the program writes it, loaded into a real web engine from the build
// tree's resource folder: the JSME editor must come up.
#include <gtest/gtest.h>

#include <QWebEngineSettings>
#include <QWebEngineView>

#include "SceneFixture.h"
#include "common/EditorPage.h"
#include "common/TemporaryDirectory.h"

namespace molbench::qttest {
namespace {

TEST(EditorPageInWebEngine, CreatesTheJsmeEditor) {
  headless::Harness h;
  h.setResourcePath(MOLBENCH_RESOURCE_BUILD_DIR);
  headless::WebView recorder;
  loadEditor(h, recorder, temporaryDirectoryUrl(h), true);
  ASSERT_EQ(recorder.loadDetails().size(), 1u);

  QWebEngineView view;
  view.settings()->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, true);
  view.resize(420, 380);
  view.show();
  view.load(QUrl(QString::fromStdString(recorder.loadDetails()[0].url)));
  // The page is asked again once each answer is in; empty while a question is out.
  auto answer = std::make_shared<std::optional<bool>>(false);
  const QString shown =
      "typeof jsmeApplet == 'object' && "
      "document.getElementById('jsme_container').children.length > 0";
  EXPECT_TRUE(waitUntil(
      [&] {
        if (*answer == true) return true;
        if (answer->has_value()) {
          answer->reset();
          view.page()->runJavaScript(shown, [answer](const QVariant& v) { *answer = v.toBool(); });
        }
        return false;
      },
      std::chrono::seconds(30)));
}

}  // namespace
}  // namespace molbench::qttest
