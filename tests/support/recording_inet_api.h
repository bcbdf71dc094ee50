#pragma once
// Recording fake of the handle-based HTTP API. A fake is used here because the tests check the
// exact order and arguments of the calls a client makes (flags, handles, chunked reads, closing
// order); a real server only sees the request that comes out of them.

#include <algorithm>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "platform/inet_api.h"

namespace vt::test {

class RecordingInetApi : public InetApi {
  public:
    // Handles the fake hands out.
    static constexpr InetHandle kInternet = 1;
    static constexpr InetHandle kConnection = 2;
    static constexpr InetHandle kRequest = 3;

    InetHandle InternetOpen(const Text& agent, int accessType, const Text& proxyList,
                            const Text& bypassList, std::uint32_t flags) override {
        calls.push_back("InternetOpen(" + agent + ", " + std::to_string(accessType) + ", " +
                        proxyList + ", " + bypassList + ", " + Hex(flags) + ")");
        return failOpen ? kNoHandle : kInternet;
    }
    InetHandle InternetConnect(InetHandle internet, const Text& host, int port,
                               int service) override {
        calls.push_back("InternetConnect(" + std::to_string(internet) + ", " + host + ", " +
                        std::to_string(port) + ", " + std::to_string(service) + ")");
        return failConnect ? kNoHandle : kConnection;
    }
    InetHandle HttpOpenRequest(InetHandle connection, const Text& method, const Text& path,
                               const Text& version, std::uint32_t flags) override {
        calls.push_back("HttpOpenRequest(" + std::to_string(connection) + ", " + method + ", " +
                        path + ", " + version + ", " + Hex(flags) + ")");
        return failRequest ? kNoHandle : kRequest;
    }
    bool HttpSendRequest(InetHandle request, const Text& headers, const Bytes& body) override {
        calls.push_back("HttpSendRequest(" + std::to_string(request) + ", " + headers + ", " +
                        ToString(body) + ")");
        return true;
    }
    std::size_t InternetReadFile(InetHandle request, std::span<std::uint8_t> buffer) override {
        const std::size_t count = std::min(buffer.size(), responseBody.size() - readOffset);
        std::copy_n(responseBody.begin() + readOffset, count, buffer.begin());
        readOffset += count;
        calls.push_back("InternetReadFile(" + std::to_string(request) + ", " +
                        std::to_string(buffer.size()) + ") -> " + std::to_string(count));
        return count;
    }
    std::optional<Text> HttpQueryInfo(InetHandle request, int infoLevel,
                                      std::size_t bufferSize) override {
        calls.push_back("HttpQueryInfo(" + std::to_string(request) + ", " +
                        std::to_string(infoLevel) + ", " + std::to_string(bufferSize) + ")");
        return responseHeaders;
    }
    void InternetCloseHandle(InetHandle handle) override {
        calls.push_back("InternetCloseHandle(" + std::to_string(handle) + ")");
    }

    std::vector<std::string> calls;
    bool failOpen = false;
    bool failConnect = false;
    bool failRequest = false;
    Bytes responseBody;
    std::optional<Text> responseHeaders;

  private:
    static std::string Hex(std::uint32_t value) {
        char text[16];
        std::snprintf(text, sizeof text, "0x%08X", value);
        return text;
    }

    std::size_t readOffset = 0;
};

}  // namespace vt::test
