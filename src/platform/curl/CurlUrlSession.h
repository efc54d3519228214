// The URL session over libcurl: each GET runs on a worker thread of its own and calls its
// completion there, as the panes expect of a data task.
#pragma once

#include "platform/Services.h"

namespace molbench::platform::curl {

class CurlUrlSession : public UrlSession {
 public:
  void get(const std::string& url, std::function<void(const UrlResponse&)> completion) override;

  // The same request on the calling thread; used by get and by tests.
  static UrlResponse fetch(const std::string& url);
};

}  // namespace molbench::platform::curl
