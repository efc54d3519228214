#include "qt/Application.h"

#include <QApplication>

#include "app/AppDelegate.h"
#include "app/Scenes.h"
#include "qt/MainWindow.h"

namespace molbench::qt {

int runApplication(platform::Platform& platform) {
  AppDelegate delegate;
  QApplication::setQuitOnLastWindowClosed(
      delegate.applicationShouldTerminateAfterLastWindowClosed());
  auto ending = QObject::connect(qApp, &QCoreApplication::aboutToQuit,
                                 [&delegate] { delegate.applicationWillTerminate(); });
  registerScenes();
  int exitCode = 0;
  {
    MainWindow window(platform);
    window.show();
    delegate.applicationDidFinishLaunching();
    exitCode = QApplication::exec();
  }
  QObject::disconnect(ending);
  return exitCode;
}

}  // namespace molbench::qt
