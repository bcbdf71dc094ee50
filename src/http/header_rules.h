#pragma once
// Header lines and header blocks as the two HTTP clients exchange them with their callers.
// A header block is header lines joined by CR LF, with no CR LF after the last line.

#include "text/text.h"

namespace vt {

// The user agent both clients send unless the caller names another.
inline constexpr const char* kDefaultUserAgent =
    "Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1)";

// The text before / after the first ":" of a header line, trimmed; empty when there is no colon.
Text HeaderName(const Text& line);
Text HeaderValue(const Text& line);

// Which client completes a block: the request-object client adds a User-Agent line and sends
// cookies by a header call of its own; the handle-API client names the agent when it opens its
// session and adds the Cookie line to the block.
enum class HeaderClient { kRequestObject, kInet };

// Appends to `headers` the default lines it lacks, after the caller's own lines: Accept, Referer
// (the URL), Accept-Language, User-Agent (request-object client), Content-Type, and Cookie
// (handle-API client, when `cookies` is not empty). A default counts as present when its name
// and colon occur anywhere in the block, in the same letter case.
void CompleteRequestHeaders(Text& headers, const Text& url, const Text& cookies,
                            HeaderClient client);

// Every "Set-Cookie", in any letter case, written as "Set-Cookie".
Text NormaliseSetCookie(const Text& responseHeaders);

}  // namespace vt
