#include "platform/curl/CurlUrlSession.h"

#include <curl/curl.h>

namespace molbench::platform::curl {

namespace {

// A transfer parks in curl_multi_poll for at most this long before it looks again; a cancel
// wakes it at once, so this only bounds a wake-up that is somehow missed.
constexpr int kPollMilliseconds = 1000;

void initialiseOnce() {
  static std::once_flag once;
  std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

// The answer as it arrives. A server that sends more than any chemistry answer could hold is
// cut off: the answer is never kept whole.
struct Body {
  std::string text;
  bool tooLong = false;
};

size_t appendBody(char* data, size_t size, size_t count, void* target) {
  auto& body = *static_cast<Body*>(target);
  size_t length = size * count;
  if (length > kMaxAnswerBytes - body.text.size()) {
    body.tooLong = true;
    return CURL_WRITEFUNC_ERROR;
  }
  body.text.append(data, length);
  return length;
}

// Runs once the connection is open, just before the request goes out: the moment a service's
// rate is about.
int takeTurn(void* awaitTurn, char*, char*, int, int) {
  return (*static_cast<const std::function<bool()>*>(awaitTurn))() ? CURL_PREREQFUNC_OK
                                                                   : CURL_PREREQFUNC_ABORT;
}

bool setTurnOptionsOn(void* handle, const std::function<bool()>& awaitTurn) {
  return curl_easy_setopt(handle, CURLOPT_PREREQFUNCTION, takeTurn) == CURLE_OK &&
         curl_easy_setopt(handle, CURLOPT_PREREQDATA, &awaitTurn) == CURLE_OK;
}

CURL* requestHandle(const std::string& url, Body& body) {
  CURL* handle = curl_easy_init();
  if (!handle) return nullptr;
  curl_easy_setopt(handle, CURLOPT_URL, url.c_str());
  // A query of "." or ".." is data, not a step up the server's path.
  curl_easy_setopt(handle, CURLOPT_PATH_AS_IS, 1L);
  curl_easy_setopt(handle, CURLOPT_FOLLOWLOCATION, 1L);
  // Without a bound, a server redirecting to itself is asked again and again, past any pacing.
  curl_easy_setopt(handle, CURLOPT_MAXREDIRS, kMaxRedirects);
  // An answer that says its size up front is refused before its body arrives.
  curl_easy_setopt(handle, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(kMaxAnswerBytes));
  curl_easy_setopt(handle, CURLOPT_NOSIGNAL, 1L);
  // A cancelled request leaves a name lookup still under way to finish on its own instead of
  // holding up the quit until the resolver gives up.
  curl_easy_setopt(handle, CURLOPT_QUICK_EXIT, 1L);
  curl_easy_setopt(handle, CURLOPT_CONNECTTIMEOUT, 30L);
  curl_easy_setopt(handle, CURLOPT_TIMEOUT, 60L);
  curl_easy_setopt(handle, CURLOPT_USERAGENT, "Molbench");
  curl_easy_setopt(handle, CURLOPT_WRITEFUNCTION, appendBody);
  curl_easy_setopt(handle, CURLOPT_WRITEDATA, &body);
  return handle;
}

std::string failureText(CURLcode result, const Body& body) {
  if (body.tooLong || result == CURLE_FILESIZE_EXCEEDED)
    return "the answer is longer than " + std::to_string(kMaxAnswerBytes >> 20) +
           " MiB and was abandoned";
  if (result == CURLE_TOO_MANY_REDIRECTS)
    return "more than " + std::to_string(kMaxRedirects) + " redirects; the request was abandoned";
  return curl_easy_strerror(result);
}

// Runs the request on its own multi handle, which curl_multi_wakeup can interrupt from another
// thread; nothing when `stopped` turned true before it finished. `awaitTurn`, when set, runs
// before each send and aborts the request by giving false.
std::optional<UrlResponse> perform(CURLM* multi, const std::string& url,
                                   const std::atomic<bool>& stopped,
                                   const std::function<bool()>& awaitTurn = {}) {
  initialiseOnce();
  UrlResponse response;
  Body body;
  CURL* handle = multi ? requestHandle(url, body) : nullptr;
  if (!handle) {
    response.error = "cannot start a request";
    return response;
  }
  // Sent without waiting for its turn, the request could reach the service faster than its
  // published rate allows.
  if (awaitTurn && !setTurnOptions(handle, awaitTurn)) {
    curl_easy_cleanup(handle);
    response.error =
        "this libcurl cannot hold a request for its turn (7.80 or later can), so it was not sent";
    return response;
  }
  curl_multi_add_handle(multi, handle);
  int running = 1;
  while (running && !stopped) {
    if (curl_multi_perform(multi, &running) != CURLM_OK) break;
    if (running) curl_multi_poll(multi, nullptr, 0, kPollMilliseconds, nullptr);
  }
  CURLcode result = CURLE_FAILED_INIT;
  int left = 0;
  while (CURLMsg* message = curl_multi_info_read(multi, &left))
    if (message->msg == CURLMSG_DONE) result = message->data.result;
  bool finished = !running;
  if (finished && result == CURLE_OK) {
    long status = 0;
    curl_easy_getinfo(handle, CURLINFO_RESPONSE_CODE, &status);
    response.status = status;
    response.body = std::move(body.text);
  } else {
    response.error = failureText(result, body);
  }
  curl_multi_remove_handle(multi, handle);
  curl_easy_cleanup(handle);
  if (!finished) return std::nullopt;
  return response;
}

}  // namespace

bool (*setTurnOptions)(void*, const std::function<bool()>&) = setTurnOptionsOn;

CurlTransfers::~CurlTransfers() { cancelAll(); }

void CurlTransfers::start(const std::string& url,
                          std::function<void(const UrlResponse&)> completion, SendSpacing spacing) {
  joinFinished();
  std::lock_guard lock(mutex_);
  if (cancelled_) return;
  Worker& worker = workers_.emplace_back();
  worker.exited = std::make_shared<std::atomic<bool>>(false);
  // The worker waits for this lock before it looks at its entry. The flag is its own, since the
  // completion may end this object: the completion, and all it holds, is gone before it is set.
  worker.thread =
      std::thread([this, &worker, url, spacing = std::move(spacing),
                   completion = std::move(completion), exited = worker.exited]() mutable {
        {
          auto owned = std::move(completion);
          run(worker, url, spacing, owned);
        }
        exited->store(true);
      });
}

void CurlTransfers::run(Worker& worker, const std::string& url, const SendSpacing& spacing,
                        const std::function<void(const UrlResponse&)>& completion) {
  CURLM* multi = curl_multi_init();
  bool started = false;
  {
    std::lock_guard lock(mutex_);
    started = !cancelled_;
    if (started) worker.multi = multi;
  }
  std::optional<UrlResponse> response;
  std::function<bool()> awaitTurn;
  if (spacing.turns) awaitTurn = [this, &spacing] { return this->awaitTurn(spacing); };
  if (started) response = perform(multi, url, cancelled_, awaitTurn);
  bool delivered = false;
  {
    std::lock_guard lock(mutex_);
    worker.multi = nullptr;
    delivered = response && !cancelled_;
  }
  if (multi) curl_multi_cleanup(multi);
  // Nothing of this object is touched from here on: the completion may be what ends it.
  if (delivered && completion) completion(*response);
}

bool CurlTransfers::awaitTurn(const SendSpacing& spacing) {
  std::unique_lock lock(mutex_);
  // Another request may take the turn first; the next one is then due later.
  while (!cancelled_) {
    auto due = spacing.turns->take(spacing.spacing, SendTurns::Clock::now());
    if (!due) return true;
    turnWaitEnds_.wait_until(lock, *due, [this] { return cancelled_.load(); });
  }
  return false;
}

void CurlTransfers::joinFinished() {
  std::list<Worker> done;
  {
    std::lock_guard lock(mutex_);
    for (auto it = workers_.begin(); it != workers_.end();) {
      auto next = std::next(it);
      // A completion still running may take its time (a slow disk); nobody waits for it here,
      // since a start on the main thread would freeze the window.
      if (*it->exited) done.splice(done.end(), workers_, it);
      it = next;
    }
  }
  for (auto& worker : done) worker.thread.join();
}

void CurlTransfers::cancelAll() {
  std::list<Worker> workers;
  {
    std::lock_guard lock(mutex_);
    cancelled_ = true;
    turnWaitEnds_.notify_all();
    for (auto& worker : workers_)
      if (worker.multi) curl_multi_wakeup(worker.multi);
    workers.splice(workers.end(), workers_);
  }
  for (auto& worker : workers) {
    // A completion that drops the last owner ends up here on its own worker.
    if (worker.thread.get_id() == std::this_thread::get_id()) {
      worker.thread.detach();
    } else {
      worker.thread.join();
    }
  }
}

CurlUrlSession::CurlUrlSession(std::weak_ptr<CurlTransfers> transfers)
    : transfers_(std::move(transfers)) {}

void CurlUrlSession::get(const std::string& url,
                         std::function<void(const UrlResponse&)> completion) {
  if (auto transfers = transfers_.lock()) transfers->start(url, std::move(completion), spacing_);
}

void CurlUrlSession::spaceSends(std::shared_ptr<SendTurns> turns,
                                std::chrono::milliseconds spacing) {
  spacing_ = {std::move(turns), spacing};
}

UrlResponse CurlUrlSession::fetch(const std::string& url) {
  CURLM* multi = curl_multi_init();
  std::atomic<bool> never = false;
  auto response = perform(multi, url, never);
  if (multi) curl_multi_cleanup(multi);
  return response.value_or(UrlResponse{});
}

}  // namespace molbench::platform::curl
