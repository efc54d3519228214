#include <gtest/gtest.h>

#include <QWebEngineView>

TEST(QtStack, WebViewCanBeCreated) {
  QWebEngineView view;
  EXPECT_NE(view.page(), nullptr);
}
