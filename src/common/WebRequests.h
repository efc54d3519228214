// What the viewer and the lookup pane share of the web services: the percent-encoding of text
// put into an address, the GET routine and the PubChem name address.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "platform/Platform.h"

namespace molbench {

// Percent-encodes with the URL-host-allowed set: ASCII letters and digits, - . _ ~
// ! $ & ' ( ) * + , ; = : [ ] stay; every other byte of the UTF-8 text becomes %XX (upper-case
// hexadecimal). A blank gives %20, "/" %2F, "%" %25, "?" %3F, "#" %23.
std::string escapedString(const std::string& text);

// The text without the line end that closes it ("\n" or "\r\n"): the services end a text
// answer with one, and it is no part of the value (a SMILES, an InChIKey put into an address).
std::string withoutClosingLineEnd(std::string text);

// Sends a GET on the session and returns at once. On the session's worker thread: a transport
// error writes "error calling GET" and the error as diagnostics; a status outside 2xx writes
// "error calling GET" and the status (such a body is an error page, never data); a missing body
// writes "Error: did not receive data". Otherwise the handler gets the body decoded as UTF-8,
// ill-formed bytes replaced and its closing line end dropped, on that worker thread.
void fetchText(platform::Platform& platform, const std::shared_ptr<platform::UrlSession>& session,
               const std::string& url, std::function<void(const std::string&)> handler);

inline constexpr const char* kPubchemNamePath = "/rest/pug/compound/name/";
inline constexpr const char* kIsomericSmilesSuffix = "/property/IsomericSMILES/TXT";
inline constexpr const char* kInchiKeySuffix = "/property/InChIKey/TXT";
inline constexpr const char* kPngSuffix = "/PNG";

// The PubChem name address on the platform's PubChem host: host, the name path, the already
// encoded name, the suffix.
std::string pubchemNameAddress(platform::Platform& platform, const std::string& encodedName,
                               const std::string& suffix);

}  // namespace molbench
