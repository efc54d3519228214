// The editor page as the program writes it, loaded into a real web engine from the build
// tree's resource folder: the JSME editor must come up.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineSettings>
#include <QWebEngineView>

#include "common/EditorPage.h"
#include "common/TemporaryDirectory.h"
#include "platform/headless/Harness.h"

namespace {

// The value of a script in the page, waiting for the engine's answer.
QString evaluate(QWebEnginePage& page, const QString& script) {
  QString answer;
  QEventLoop loop;
  page.runJavaScript(script, [&](const QVariant& value) {
    answer = value.toString();
    loop.quit();
  });
  QTimer::singleShot(5000, &loop, &QEventLoop::quit);
  loop.exec();
  return answer;
}

// Polls the script until it gives `expected` or the deadline passes; the last answer.
QString waitForValue(QWebEnginePage& page, const QString& script, const QString& expected,
                     int deadlineMs) {
  QElapsedTimer clock;
  clock.start();
  QString answer;
  while (clock.elapsed() < deadlineMs) {
    answer = evaluate(page, script);
    if (answer == expected) break;
    QEventLoop pause;
    QTimer::singleShot(100, &pause, &QEventLoop::quit);
    pause.exec();
  }
  return answer;
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

  EXPECT_EQ(waitForValue(*view.page(), "typeof jsmeApplet", "object", 30000).toStdString(),
            "object");
  EXPECT_EQ(evaluate(*view.page(), "document.getElementById('jsme_container').children.length > 0")
                .toStdString(),
            "true");
}

}  // namespace
