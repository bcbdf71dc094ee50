#pragma once
// RequestObjectClient: one blocking HTTP request through a request object.

#include <optional>

#include "http/in_out.h"
#include "platform/request_object.h"
#include "text/text.h"

namespace vt {

// Sends one request and returns the response body exactly as it arrived, or empty bytes.
// `platform` makes the request object when the caller lends none; the other arguments are
// positional and may be left out from any point on:
//   url               request URL, sent unchanged; also the default Referer
//   method            0 GET, 1 POST, 2 HEAD; anything else GET
//   body              text body, sent when bodyBytes is empty
//   cookies           in/out: sent as the Cookie header when not empty; afterwards the merge of
//                     itself with the cookies the response set
//   responseCookies   out: the cookies the response set, spaces removed
//   headers           in/out: the caller's header block; afterwards the completed block
//   responseHeaders   out: all response headers, Set-Cookie normalised
//   status            out: the HTTP status, 0 when no response was read
//   noRedirect        true: redirects are not followed
//   bodyBytes         when not empty, sent as the body instead of `body`
//   proxy             proxy server; empty: no proxy setting
//   timeoutSeconds    -1: the object's own time-outs; 1 or more: that many seconds; else 15
//   proxyUser, proxyPassword   proxy credentials, used only with a proxy
//   proxyCredentialFlag        the credentials flag; 1 when left out
//   requestObject     a request object to send through instead of a new one (stays the caller's)
// When no request object can be made, nothing is touched and the result is empty. HTTP error
// statuses are no failure: their body is returned.
Bytes RequestObjectClient(RequestObjectFactory& platform, const Text& url, int method = 0,
                          const Text& body = {}, InOut<Text> cookies = {},
                          InOut<Text> responseCookies = {}, InOut<Text> headers = {},
                          InOut<Text> responseHeaders = {}, InOut<int> status = {},
                          bool noRedirect = false, const Bytes& bodyBytes = {},
                          const Text& proxy = {}, int timeoutSeconds = 0,
                          const Text& proxyUser = {}, const Text& proxyPassword = {},
                          std::optional<int> proxyCredentialFlag = std::nullopt,
                          RequestObject* requestObject = nullptr);

}  // namespace vt
