// The editor page as the program writes it, loaded into a real web engine from the build
// tree's resource folder: the JSME editor must come up.
#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QTimer>
#include <QWebEngineSettings>
#include <QWebEngineView>

#include "common/EditorPage.h"
#include "common/TemporaryDirectory.h"
#include "platform/headless/Harness.h"

namespace {

// Asks the page for the script's value until it reads `wanted` or the deadline passes; the
// last value read.
std::string pollScript(QWebEngineView& view, const QString& script, const std::string& wanted) {
  QDeadlineTimer deadline(30000);
  std::string value;
  while (!deadline.hasExpired()) {
    QEventLoop loop;
    view.page()->runJavaScript(script, [&](const QVariant& answer) {
      value = answer.toString().toStdString();
      QTimer::singleShot(value == wanted ? 0 : 100, &loop, &QEventLoop::quit);
    });
    QTimer::singleShot(deadline.remainingTime(), &loop, &QEventLoop::quit);
    loop.exec();
    if (value == wanted) break;
  }
  return value;
}

TEST(EditorPageInWebEngine, CreatesTheJsmeEditor) {
  molbench::headless::Harness h;
  h.setResourcePath(MOLBENCH_RESOURCE_BUILD_DIR);
  molbench::headless::WebView recorder;
  molbench::loadEditor(h, recorder, molbench::temporaryDirectoryUrl(h), true);
  ASSERT_EQ(recorder.loadDetails().size(), 1u);

  QWebEngineView view;
  view.settings()->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, true);
  view.resize(420, 380);
  view.show();
  view.load(QUrl(QString::fromStdString(recorder.loadDetails()[0].url)));
  const QString editorShown =
      "typeof jsmeApplet == 'object' && document.getElementById('jsme_container').children.length";
  EXPECT_EQ(pollScript(view, editorShown + " > 0", "true"), "true");
}

}  // namespace
