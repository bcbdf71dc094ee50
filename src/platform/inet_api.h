#pragma once
// The handle-based HTTP API: an internet session, a connection to one host and port, and a
// request on it, each a handle closed by the caller. The production backend is on libcurl
// (platform/curl/); tests use recording fakes.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "text/text.h"

namespace vt {

// A handle of the API; kNoHandle means the operation failed.
using InetHandle = std::uintptr_t;
inline constexpr InetHandle kNoHandle = 0;

namespace inet {
// Access types of InternetOpen.
inline constexpr int kOpenTypeDirect = 1;
inline constexpr int kOpenTypeProxy = 3;
// Service of InternetConnect.
inline constexpr int kServiceHttp = 3;
// Info level of HttpQueryInfo: the raw response headers, CR LF separated.
inline constexpr int kQueryRawHeadersCrlf = 22;
// Request flags of HttpOpenRequest.
inline constexpr std::uint32_t kFlagReload = 0x80000000;
inline constexpr std::uint32_t kFlagNeedFile = 0x00000010;
inline constexpr std::uint32_t kFlagNoCookies = 0x00080000;
inline constexpr std::uint32_t kFlagNoAutoRedirect = 0x00200000;
inline constexpr std::uint32_t kFlagSecure = 0x00800000;
inline constexpr std::uint32_t kFlagIgnoreRedirectToHttps = 0x00004000;
}  // namespace inet

class InetApi {
  public:
    virtual ~InetApi() = default;

    // A session with the agent name; `proxyList` and `bypassList` count only with
    // kOpenTypeProxy.
    virtual InetHandle InternetOpen(const Text& agent, int accessType, const Text& proxyList,
                                    const Text& bypassList, std::uint32_t flags) = 0;
    // A connection to `host`:`port` for `service`, with no user name or password.
    virtual InetHandle InternetConnect(InetHandle internet, const Text& host, int port,
                                       int service) = 0;
    // A request for `path` on the connection; no referrer, no accept types.
    virtual InetHandle HttpOpenRequest(InetHandle connection, const Text& method, const Text& path,
                                       const Text& version, std::uint32_t flags) = 0;
    // Sends the request with the header block (lines joined by CR LF) and the body, and
    // receives the response; false when no response arrived.
    virtual bool HttpSendRequest(InetHandle request, const Text& headers, const Bytes& body) = 0;
    // Copies the next bytes of the response body into `buffer`; the number of bytes copied, 0
    // at the end of the body or on failure.
    virtual std::size_t InternetReadFile(InetHandle request, std::span<std::uint8_t> buffer) = 0;
    // The response header block at `infoLevel`, when it fits with a terminating zero into a
    // buffer of `bufferSize` bytes; nothing when there is none or it does not fit.
    virtual std::optional<Text> HttpQueryInfo(InetHandle request, int infoLevel,
                                              std::size_t bufferSize) = 0;
    virtual void InternetCloseHandle(InetHandle handle) = 0;
};

}  // namespace vt
