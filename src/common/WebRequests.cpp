#include "common/WebRequests.h"

#include "platform/Utf8.h"

namespace molbench {

namespace {

bool keptAsIs(unsigned char c) {
  if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) return true;
  switch (c) {
    case '-': case '.': case '_': case '~': case '!': case '$': case '&': case '\'': case '(':
    case ')': case '*': case '+': case ',': case ';': case '=': case ':': case '[': case ']':
      return true;
    default:
      return false;
  }
}

}  // namespace

std::string withoutClosingLineEnd(std::string text) {
  if (!text.ends_with('\n')) return text;
  text.pop_back();
  if (text.ends_with('\r')) text.pop_back();
  return text;
}

std::string escapedString(const std::string& text) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(text.size());
  for (unsigned char c : text) {
    if (keptAsIs(c)) {
      out += static_cast<char>(c);
    } else {
      out += '%';
      out += kHex[c >> 4];
      out += kHex[c & 0xF];
    }
  }
  return out;
}

void fetchText(platform::Platform& platform, const std::shared_ptr<platform::UrlSession>& session,
               const std::string& url, std::function<void(const std::string&)> handler) {
  if (!session) return;
  // The session is kept by its own request, so a caller may drop it at once.
  session->get(url, [&platform, session, url, handler = std::move(handler)](
                        const platform::UrlResponse& response) {
    if (response.error) {
      platform.diagnostic("error calling GET");
      platform.diagnostic(*response.error);
      return;
    }
    if (response.status && (*response.status < 200 || *response.status > 299)) {
      platform.diagnostic("error calling GET");
      platform.diagnostic("HTTP status " + std::to_string(*response.status) + " for " + url);
      return;
    }
    if (!response.body) {
      platform.diagnostic("Error: did not receive data");
      return;
    }
    if (handler) handler(withoutClosingLineEnd(platform::decodeUtf8Lossy(*response.body)));
  });
}

std::string pubchemNameAddress(platform::Platform& platform, const std::string& encodedName,
                               const std::string& suffix) {
  return platform.serviceHosts().pubchem + kPubchemNamePath + encodedName + suffix;
}

}  // namespace molbench
