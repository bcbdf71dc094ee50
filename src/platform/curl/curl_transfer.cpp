#include "platform/curl/curl_transfer.h"

#include <curl/curl.h>

#include <algorithm>
#include <climits>
#include <memory>
#include <string_view>

#include "platform/curl/cookie_store.h"
#include "platform/curl/curl_global.h"
#include "platform/curl/trusted_cas.h"

namespace vt::curl {
namespace {

// The response headers of one exchange (all responses of a redirect chain) may not exceed this.
constexpr size_t kMaxHeaderBytes = 256 * 1024;
constexpr long kMaxRedirects = 10;
constexpr const char* kFallbackSystemBundle = "/etc/ssl/certs/ca-certificates.crt";

struct EasyDeleter {
    void operator()(CURL* easy) const { curl_easy_cleanup(easy); }
};
struct ListDeleter {
    void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};
using EasyHandle = std::unique_ptr<CURL, EasyDeleter>;
using HeaderList = std::unique_ptr<curl_slist, ListDeleter>;

// What the callbacks collect while the exchange runs.
struct Reception {
    size_t maxBodyBytes = 0;
    size_t headerBytes = 0;
    std::vector<std::string> headerLines;
    Bytes body;
};

size_t OnBody(char* data, size_t size, size_t count, void* user) {
    auto* reception = static_cast<Reception*>(user);
    const size_t bytes = size * count;
    if (bytes > reception->maxBodyBytes - reception->body.size()) return 0;  // fails the exchange
    reception->body.insert(reception->body.end(), data, data + bytes);
    return bytes;
}

size_t OnHeader(char* data, size_t size, size_t count, void* user) {
    auto* reception = static_cast<Reception*>(user);
    const size_t bytes = size * count;
    reception->headerBytes += bytes;
    if (reception->headerBytes > kMaxHeaderBytes) return 0;
    std::string_view line(data, bytes);
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.remove_suffix(1);
    // A new status line starts the headers of the next response of a redirect chain.
    if (line.starts_with("HTTP/")) reception->headerLines.clear();
    if (!line.empty()) reception->headerLines.emplace_back(line);
    return bytes;
}

bool HasAny(std::string_view text, std::string_view bytes) {
    return text.find_first_of(bytes) != std::string_view::npos;
}

// "Name: value", or "Name;" for an empty value (curl's form for sending a header without one).
// Names and values that could break the request's framing are dropped.
HeaderList HeaderLines(const TransferRequest& request) {
    using namespace std::string_view_literals;
    // curl would otherwise wait for "100 Continue" before sending a larger body.
    curl_slist* list = curl_slist_append(nullptr, "Expect:");
    for (const auto& [name, value] : request.headers) {
        if (name.empty() || HasAny(name, ":; \t\r\n\0"sv) || HasAny(value, "\r\n\0"sv)) continue;
        const std::string line = value.empty() ? name + ";" : name + ": " + value;
        list = curl_slist_append(list, line.c_str());
    }
    return HeaderList(list);
}

bool IsSafeText(const std::string& text) {
    using namespace std::string_view_literals;
    return !HasAny(text, "\r\n\0"sv);
}

void SetMethodAndBody(CURL* easy, const TransferRequest& request) {
    if (request.method == "POST") {
        curl_easy_setopt(easy, CURLOPT_POST, 1L);
        curl_easy_setopt(easy, CURLOPT_POSTFIELDSIZE_LARGE,
                         static_cast<curl_off_t>(request.body.size()));
        // Never a null pointer: curl would then read the body from stdin.
        static const char kNoBody[] = "";
        curl_easy_setopt(
            easy, CURLOPT_POSTFIELDS,
            request.body.empty() ? kNoBody : reinterpret_cast<const char*>(request.body.data()));
    } else if (request.method == "HEAD") {
        curl_easy_setopt(easy, CURLOPT_NOBODY, 1L);
    } else {
        curl_easy_setopt(easy, CURLOPT_HTTPGET, 1L);
    }
}

void SetTrust(CURL* easy, const CurlSettings& settings) {
    curl_easy_setopt(easy, CURLOPT_SSL_VERIFYPEER, 1L);
    curl_easy_setopt(easy, CURLOPT_SSL_VERIFYHOST, 2L);
    const char* systemBundle = nullptr;
    curl_easy_getinfo(easy, CURLINFO_CAINFO, &systemBundle);
    TrustCas(easy, systemBundle ? systemBundle : kFallbackSystemBundle, settings.extraCaFile);
}

// A stall is less than one byte per second over the whole stall time.
void SetTimeouts(CURL* easy, std::chrono::milliseconds connect, std::chrono::seconds stall) {
    curl_easy_setopt(easy, CURLOPT_CONNECTTIMEOUT_MS,
                     static_cast<long>(std::clamp<long long>(connect.count(), 1, LONG_MAX)));
    curl_easy_setopt(easy, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(easy, CURLOPT_LOW_SPEED_TIME,
                     static_cast<long>(std::clamp<long long>(stall.count(), 1, LONG_MAX)));
}

// User agent, server credentials, proxy and proxy credentials.
void SetIdentity(CURL* easy, const TransferRequest& request) {
    if (!request.userAgent.empty()) {
        curl_easy_setopt(easy, CURLOPT_USERAGENT, request.userAgent.c_str());
    }
    if (!request.serverUser.empty()) {
        curl_easy_setopt(easy, CURLOPT_USERNAME, request.serverUser.c_str());
        curl_easy_setopt(easy, CURLOPT_PASSWORD, request.serverPassword.c_str());
        curl_easy_setopt(easy, CURLOPT_HTTPAUTH, CURLAUTH_ANY);
    }
    if (request.proxy.empty()) return;
    curl_easy_setopt(easy, CURLOPT_PROXY, request.proxy.c_str());
    curl_easy_setopt(easy, CURLOPT_SUPPRESS_CONNECT_HEADERS, 1L);
    if (!request.proxyUser.empty()) {
        curl_easy_setopt(easy, CURLOPT_PROXYUSERNAME, request.proxyUser.c_str());
        curl_easy_setopt(easy, CURLOPT_PROXYPASSWORD, request.proxyPassword.c_str());
        curl_easy_setopt(easy, CURLOPT_PROXYAUTH, CURLAUTH_ANY);
    }
}

void SetReception(CURL* easy, Reception& reception) {
    curl_easy_setopt(easy, CURLOPT_MAXFILESIZE_LARGE,
                     static_cast<curl_off_t>(reception.maxBodyBytes));
    curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, OnBody);
    curl_easy_setopt(easy, CURLOPT_WRITEDATA, &reception);
    curl_easy_setopt(easy, CURLOPT_HEADERFUNCTION, OnHeader);
    curl_easy_setopt(easy, CURLOPT_HEADERDATA, &reception);
}

}  // namespace

TransferResult PerformTransfer(const TransferRequest& request, const CurlSettings& settings) {
    EnsureCurlGlobalInit();
    EasyHandle easy(curl_easy_init());
    if (!easy || !IsSafeText(request.url) || !IsSafeText(request.userAgent)) return {};
    CURL* const h = easy.get();

    curl_easy_setopt(h, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(h, CURLOPT_URL, request.url.c_str());
    curl_easy_setopt(h, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(h, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(h, CURLOPT_HTTP_VERSION, CURL_HTTP_VERSION_1_1);
    curl_easy_setopt(h, CURLOPT_FOLLOWLOCATION, request.followRedirects ? 1L : 0L);
    curl_easy_setopt(h, CURLOPT_MAXREDIRS, kMaxRedirects);
    SetTrust(h, settings);
    SetTimeouts(h, request.connectTimeout.value_or(settings.connectTimeout),
                request.stallTimeout.value_or(settings.stallTimeout));
    SetMethodAndBody(h, request);
    HeaderList headers = HeaderLines(request);
    curl_easy_setopt(h, CURLOPT_HTTPHEADER, headers.get());
    SetIdentity(h, request);
    if (request.sharedCookies) {
        curl_easy_setopt(h, CURLOPT_SHARE, SharedCookieStore());
        curl_easy_setopt(h, CURLOPT_COOKIEFILE, "");  // switches the cookie engine on
    }

    Reception reception;
    reception.maxBodyBytes = settings.maxBodyBytes;
    SetReception(h, reception);
    if (curl_easy_perform(h) != CURLE_OK) return {};
    long status = 0;
    curl_easy_getinfo(h, CURLINFO_RESPONSE_CODE, &status);
    return {true, static_cast<int>(status), std::move(reception.headerLines),
            std::move(reception.body)};
}

}  // namespace vt::curl
