#include "qt/WebEngineSetup.h"

#include <QCoreApplication>
#include <cstdlib>
#include <sstream>

namespace molbench::qt {

namespace {

constexpr const char* kSwitchesVariable = "QTWEBENGINE_CHROMIUM_FLAGS";
constexpr const char* kSoftwareWebGL = "--ignore-gpu-blocklist";

}  // namespace

std::string withWebGLSwitches(const std::string& userSwitches) {
  std::istringstream words(userSwitches);
  for (std::string word; words >> word;)
    if (word == kSoftwareWebGL) return userSwitches;
  return userSwitches.empty() ? kSoftwareWebGL : userSwitches + " " + kSoftwareWebGL;
}

void prepareWebEngine() {
  const char* userSwitches = std::getenv(kSwitchesVariable);
  ::setenv(kSwitchesVariable, withWebGLSwitches(userSwitches ? userSwitches : "").c_str(), 1);
  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
}

}  // namespace molbench::qt
