#pragma once
// InetClient: one blocking HTTP request through the handle-based HTTP API.

#include "http/in_out.h"
#include "platform/inet_api.h"
#include "text/text.h"

namespace vt {

// Sends one request and returns every byte of the response body, or empty bytes. `api` is the
// platform; the other arguments are positional and may be left out from any point on:
//   url              request URL; host, port and path come from it; also the default Referer
//   method           0 GET, 1 POST, 2 HEAD; anything else GET
//   body             for POST and HEAD, the body when bodyBytes is empty; ignored for GET
//   cookies          in/out: when given (even empty) the routine manages cookies itself and
//                    afterwards this holds the merged cookies; when left out the platform's own
//                    cookie store is used
//   responseCookies  out: the cookies the response set
//   headers          in/out: the caller's header block; afterwards the completed block; a
//                    User-Agent line in it also names the agent
//   responseHeaders  out: the raw response headers (status line first), Set-Cookie normalised;
//                    empty when none could be read
//   noRedirect       true: redirects are not followed
//   bodyBytes        in/out, for POST and HEAD: the body; when empty it is first set to `body`
//   proxy            proxy server; empty: direct connection
// When the session, connection or request cannot be opened, nothing is touched and the result
// is empty. HTTP error statuses are no failure: their body is returned.
Bytes InetClient(InetApi& api, const Text& url, int method = 0, const Text& body = {},
                 InOut<Text> cookies = {}, InOut<Text> responseCookies = {},
                 InOut<Text> headers = {}, InOut<Text> responseHeaders = {},
                 bool noRedirect = false, InOut<Bytes> bodyBytes = {}, const Text& proxy = {});

}  // namespace vt
