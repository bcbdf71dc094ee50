#pragma once
// One complete HTTP exchange on libcurl, shared by the adapters: only http and https (redirects
// included), peer and host always verified against the system store plus the extra CA, body and
// headers capped, connect and stall time-outs. Internal to platform/curl.

#include <chrono>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/curl/curl_settings.h"
#include "text/text.h"

namespace vt::curl {

struct TransferRequest {
    std::string method = "GET";  // GET, POST or HEAD; only POST sends the body
    std::string url;
    std::vector<std::pair<std::string, std::string>> headers;  // name, value; unsafe ones dropped
    std::string userAgent;                                     // none when empty
    Bytes body;
    bool followRedirects = true;
    bool sharedCookies = false;  // use the process-wide cookie store
    std::string proxy;           // none when empty
    std::string proxyUser, proxyPassword;
    std::string serverUser, serverPassword;
    // The settings' limits when unset.
    std::optional<std::chrono::milliseconds> connectTimeout;
    std::optional<std::chrono::seconds> stallTimeout;
};

struct TransferResult {
    bool complete = false;  // false: nothing below is set
    int status = 0;
    std::vector<std::string> headerLines;  // of the final response, status line first
    Bytes body;
};

TransferResult PerformTransfer(const TransferRequest& request, const CurlSettings& settings);

}  // namespace vt::curl
