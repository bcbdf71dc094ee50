#pragma once
// The handle-based HTTP API on libcurl. HttpSendRequest runs the whole exchange and keeps the
// answer with the request handle; InternetReadFile then hands out its body. Handles are local to
// the calls that use them, except that requests without kFlagNoCookies share one process-wide
// in-memory cookie store. Only POST carries the body on the wire (a GET or HEAD goes out without
// one). Safe to use from several threads at once.

#include <memory>

#include "platform/curl/curl_settings.h"
#include "platform/inet_api.h"

namespace vt {

class CurlInetApi : public InetApi {
  public:
    explicit CurlInetApi(CurlSettings settings = {});
    ~CurlInetApi() override;

    InetHandle InternetOpen(const Text& agent, int accessType, const Text& proxyList,
                            const Text& bypassList, std::uint32_t flags) override;
    InetHandle InternetConnect(InetHandle internet, const Text& host, int port,
                               int service) override;
    InetHandle HttpOpenRequest(InetHandle connection, const Text& method, const Text& path,
                               const Text& version, std::uint32_t flags) override;
    bool HttpSendRequest(InetHandle request, const Text& headers, const Bytes& body) override;
    std::size_t InternetReadFile(InetHandle request, std::span<std::uint8_t> buffer) override;
    std::optional<Text> HttpQueryInfo(InetHandle request, int infoLevel,
                                      std::size_t bufferSize) override;
    void InternetCloseHandle(InetHandle handle) override;

  private:
    class Handles;

    const CurlSettings settings_;
    const std::unique_ptr<Handles> handles_;
};

}  // namespace vt
