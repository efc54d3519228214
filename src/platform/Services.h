// The services a pane asks of the platform besides its controls: stored settings, modal
// panels, the default browser, the main queue, web requests, diagnostics and folders.
#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace molbench::platform {

class UserDefaults {
 public:
  virtual ~UserDefaults() = default;
  // Absent and empty are kept apart: an absent key gives no value.
  virtual std::optional<std::string> stringForKey(const std::string& key) const = 0;
  // False when the value could not be stored for good (the settings file cannot be written).
  virtual bool set(const std::string& key, const std::string& value) = 0;
  virtual void remove(const std::string& key) = 0;
};

// The settings of one open panel; the flags mirror what the chooser configures.
struct OpenPanelRequest {
  std::string title;
  bool showsResizeIndicator = true;
  bool showsHiddenFiles = false;
  bool canChooseFiles = true;
  bool canChooseDirectories = true;
  bool canCreateDirectories = true;
  bool allowsMultipleSelection = false;
  std::optional<std::vector<std::string>> allowedFileTypes;
};

enum class AlertStyle { Warning, Informational, Critical };

struct AlertRequest {
  std::string messageText;
  std::string informativeText;
  AlertStyle style = AlertStyle::Warning;
  std::vector<std::string> buttons;  // the first is the default button
};

class MainQueue {
 public:
  virtual ~MainQueue() = default;
  // Runs the work later on the main thread; callable from any thread.
  virtual void async(std::function<void()> work) = 0;
};

class SendTurns;

struct UrlResponse {
  std::optional<std::string> body;   // absent when no data arrived
  std::optional<long> status;        // the HTTP status, when there was an answer
  std::optional<std::string> error;  // set when the request failed
};

class UrlSession {
 public:
  virtual ~UrlSession() = default;
  // Sends a GET; the completion runs once, on a worker thread, unless the platform that made
  // the session goes first: then the request is cut off and its completion never runs.
  virtual void get(const std::string& url, std::function<void(const UrlResponse&)> completion) = 0;
  // Each later request, once its connection is open, waits to be sent until `spacing` after the
  // last send of any session sharing these turns. A session that cannot see the moment a
  // request goes out keeps no such turns.
  virtual void spaceSends(std::shared_ptr<SendTurns> /*turns*/,
                          std::chrono::milliseconds /*spacing*/) {}
};

}  // namespace molbench::platform
