#include "platform/curl/CurlUrlSession.h"

#include <curl/curl.h>

#include <mutex>
#include <thread>

namespace molbench::platform::curl {

namespace {

void initialiseOnce() {
  static std::once_flag once;
  std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

size_t appendBody(char* data, size_t size, size_t count, void* target) {
  static_cast<std::string*>(target)->append(data, size * count);
  return size * count;
}

}  // namespace

UrlResponse CurlUrlSession::fetch(const std::string& url) {
  initialiseOnce();
  UrlResponse response;
  CURL* handle = curl_easy_init();
  if (!handle) {
    response.error = "cannot start a request";
    return response;
  }
  std::string body;
  curl_easy_setopt(handle, CURLOPT_URL, url.c_str());
  curl_easy_setopt(handle, CURLOPT_FOLLOWLOCATION, 1L);
  curl_easy_setopt(handle, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(handle, CURLOPT_CONNECTTIMEOUT, 30L);
  curl_easy_setopt(handle, CURLOPT_TIMEOUT, 60L);
  curl_easy_setopt(handle, CURLOPT_USERAGENT, "Molbench");
  curl_easy_setopt(handle, CURLOPT_WRITEFUNCTION, appendBody);
  curl_easy_setopt(handle, CURLOPT_WRITEDATA, &body);
  CURLcode result = curl_easy_perform(handle);
  if (result != CURLE_OK) {
    response.error = curl_easy_strerror(result);
  } else {
    long status = 0;
    curl_easy_getinfo(handle, CURLINFO_RESPONSE_CODE, &status);
    response.status = status;
    response.body = std::move(body);
  }
  curl_easy_cleanup(handle);
  return response;
}

void CurlUrlSession::get(const std::string& url,
                         std::function<void(const UrlResponse&)> completion) {
  std::thread([url, completion = std::move(completion)] {
    UrlResponse response = fetch(url);
    if (completion) completion(response);
  }).detach();
}

}  // namespace molbench::platform::curl
