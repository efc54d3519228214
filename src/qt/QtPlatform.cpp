#include "qt/QtPlatform.h"

#include <QApplication>
#include <QDesktopServices>
#include <QMetaObject>
#include <QStandardPaths>
#include <QUrl>
#include <QWidget>
#include <iostream>

#include "platform/FileUrl.h"
#include "platform/curl/CurlUrlSession.h"
#include "platform/posix/Folders.h"
#include "qt/AlertBox.h"
#include "qt/LayoutLoader.h"
#include "qt/OpenPanel.h"

namespace molbench::qt {

void QtMainQueue::async(std::function<void()> work) {
  QCoreApplication* application = QCoreApplication::instance();
  if (!application || !work) return;
  QMetaObject::invokeMethod(application, std::move(work), Qt::QueuedConnection);
}

QtPlatform::QtPlatform()
    : defaults_([this](const std::string& line) { diagnostic(line); }),
      transfers_(std::make_shared<platform::curl::CurlTransfers>()) {}

// Quitting takes no longer than the completions already running: a request that hangs would
// otherwise answer into a platform that is gone.
QtPlatform::~QtPlatform() { transfers_->cancelAll(); }

std::optional<std::string> QtPlatform::runOpenPanel(const platform::OpenPanelRequest& request) {
  return OpenPanel::run(request, QApplication::activeWindow());
}

int QtPlatform::runAlert(const platform::AlertRequest& request) {
  return runAlertBox(request, QApplication::activeWindow());
}

bool QtPlatform::openURL(const std::string& url) {
  return QDesktopServices::openUrl(QUrl(QString::fromStdString(url)));
}

std::shared_ptr<platform::UrlSession> QtPlatform::makeUrlSession() {
  return std::make_shared<platform::curl::CurlUrlSession>(transfers_);
}

void QtPlatform::diagnostic(const std::string& line) {
  // Lines come from URL-session threads too; each must reach the terminal whole.
  std::lock_guard lock(outputMutex_);
  std::cout << line << "\n" << std::flush;
}

std::optional<std::string> QtPlatform::resourcePath() {
  return platform::posix::resourceDirectory();
}

std::string QtPlatform::temporaryDirectory() {
  if (auto folder = platform::posix::userTemporaryDirectory()) return *folder;
  std::string fallback =
      QStandardPaths::writableLocation(QStandardPaths::TempLocation).toStdString();
  fallback = platform::FileUrl::fromPath(fallback).path();
  if (!reportedTemporaryFallback_.exchange(true)) {
    diagnostic("The private temporary folder is not usable; using " + fallback);
  }
  return fallback;
}

std::shared_ptr<platform::View> QtPlatform::loadView(platform::ViewController& controller) {
  return loadScene(controller);
}

void QtPlatform::closeWindow(platform::ViewController& controller) {
  if (!controller.isViewLoaded()) return;
  auto* view = dynamic_cast<QtView*>(controller.view().get());
  QWidget* widget = view ? view->widget() : nullptr;
  if (widget && widget->isVisible()) widget->window()->close();
}

void QtPlatform::terminate() { QCoreApplication::quit(); }

}  // namespace molbench::qt
