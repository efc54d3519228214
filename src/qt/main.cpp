// Molbench: the Qt program. The web engine's sandbox stays as the environment sets it
// (scripts that run as root set QTWEBENGINE_DISABLE_SANDBOX=1).
#include <QApplication>
#include <clocale>

#include "qt/Application.h"
#include "qt/QtPlatform.h"
#include "qt/WebEngineSetup.h"

int main(int argc, char** argv) {
  molbench::qt::prepareWebEngine();
  QApplication application(argc, argv);
  // QApplication adopts the user's locale; numbers in commands must not turn into "7,4".
  std::setlocale(LC_NUMERIC, "C");
  QCoreApplication::setOrganizationName(QStringLiteral("Molbench"));
  QCoreApplication::setApplicationName(QStringLiteral("Molbench"));
  molbench::qt::QtPlatform platform;
  return molbench::qt::runApplication(platform);
}
