#include "http/inet_client.h"

#include <array>

#include "http/cookie_rules.h"
#include "http/header_rules.h"
#include "http/method.h"
#include "http/url_split.h"
#include "text/text_ops.h"

namespace vt {
namespace {

constexpr size_t kReadChunk = 1024;
constexpr size_t kRawHeaderBuffer = 5000;

bool EqualsIgnoreCase(const Text& a, std::string_view b) {
    return a.size() == b.size() && Find(a, b, 1, true) == 1;
}

// The value of the caller's User-Agent line (name in any letter case), else the default agent.
Text AgentName(const Text& headers) {
    for (const Text& line : Split(headers, "\r\n")) {
        if (!EqualsIgnoreCase(HeaderName(line), "User-Agent")) continue;
        Text agent = HeaderValue(line);
        if (!agent.empty()) return agent;
    }
    return kDefaultUserAgent;
}

std::uint32_t RequestFlags(bool secure, bool ownCookies, bool noRedirect) {
    std::uint32_t flags = inet::kFlagReload | inet::kFlagNeedFile;
    if (ownCookies) flags |= inet::kFlagNoCookies;
    if (noRedirect) flags |= inet::kFlagNoAutoRedirect;
    flags |= secure ? inet::kFlagSecure : inet::kFlagIgnoreRedirectToHttps;
    return flags;
}

Bytes ReadWholeBody(InetApi& api, InetHandle request) {
    Bytes body;
    std::array<std::uint8_t, kReadChunk> buffer;
    while (size_t read = api.InternetReadFile(request, buffer)) {
        body.insert(body.end(), buffer.begin(), buffer.begin() + read);
    }
    return body;
}

}  // namespace

Bytes InetClient(InetApi& api, const Text& url, int method, const Text& body, InOut<Text> cookies,
                 InOut<Text> responseCookies, InOut<Text> headers, InOut<Text> responseHeaders,
                 bool noRedirect, InOut<Bytes> bodyBytes, const Text& proxy) {
    const Text methodName = MethodName(method);
    const bool secure = IsSecureUrl(url);

    const InetHandle internet =
        proxy.empty() ? api.InternetOpen(AgentName(*headers), inet::kOpenTypeDirect, {}, {}, 0)
                      : api.InternetOpen(AgentName(*headers), inet::kOpenTypeProxy,
                                         secure ? proxy : "http=" + proxy, {}, 0);
    if (internet == kNoHandle) return {};
    const InetHandle connection =
        api.InternetConnect(internet, UrlHost(url), UrlPort(url), inet::kServiceHttp);
    if (connection == kNoHandle) {
        api.InternetCloseHandle(internet);
        return {};
    }
    const InetHandle request =
        api.HttpOpenRequest(connection, methodName, UrlPath(url), "HTTP/1.1",
                            RequestFlags(secure, cookies.Given(), noRedirect));
    if (request == kNoHandle) {
        api.InternetCloseHandle(connection);
        api.InternetCloseHandle(internet);
        return {};
    }

    CompleteRequestHeaders(*headers, url, *cookies, HeaderClient::kInet);
    if (methodName == "GET") {
        api.HttpSendRequest(request, *headers, {});
    } else {
        if (bodyBytes->empty()) *bodyBytes = ToBytes(body);
        api.HttpSendRequest(request, *headers, *bodyBytes);
    }
    Bytes result = ReadWholeBody(api, request);
    *responseHeaders = NormaliseSetCookie(
        api.HttpQueryInfo(request, inet::kQueryRawHeadersCrlf, kRawHeaderBuffer).value_or(Text()));
    api.InternetCloseHandle(request);
    api.InternetCloseHandle(connection);
    api.InternetCloseHandle(internet);

    *responseCookies = CollectSetCookies(*responseHeaders);
    if (cookies.Given()) MergeCookies(*cookies, *responseCookies);
    return result;
}

}  // namespace vt
