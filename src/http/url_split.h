#pragma once
// URL splitting for the handle-API client: plain text cuts that know the schemes "http://" and
// "https://" and assume "http://" when none is written. Scheme and host compare without regard
// to letter case.

#include <optional>

#include "text/text.h"

namespace vt {

// True when the first five characters of the URL are "https" in any letter case.
bool IsSecureUrl(const Text& url);

// The host of the URL in lower case. `mainDomainOnly` keeps only the last two labels, `keepPort`
// keeps a ":port" after the host. With `extraLevels` (n) the host is cut to its last n + 2
// labels instead (n + 1 with mainDomainOnly); a host with too few dots stays whole.
Text UrlHost(const Text& url, bool mainDomainOnly = false, bool keepPort = false,
             std::optional<int> extraLevels = std::nullopt);

// The port written after the host (its leading digits, 0 when there are none), else 443 for a
// secure URL and 80 for any other.
int UrlPort(const Text& url);

// From the first "/" after the host to the end, in the caller's letter case, query included;
// "/" when there is none.
Text UrlPath(const Text& url);

}  // namespace vt
