// The Qt tests need a QApplication that exists before any widget, with shared GL contexts
// so scenes holding web views load; gtest_main cannot provide that.
#include <gtest/gtest.h>

#include <QApplication>

int main(int argc, char** argv) {
  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
