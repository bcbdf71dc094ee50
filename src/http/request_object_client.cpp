#include "http/request_object_client.h"

#include <algorithm>
#include <climits>
#include <memory>

#include "http/cookie_rules.h"
#include "http/header_rules.h"
#include "http/method.h"
#include "text/text_ops.h"

namespace vt {
namespace {

constexpr int kDefaultTimeoutMs = 15000;

int TimeoutMs(int timeoutSeconds) {
    if (timeoutSeconds < 1) return kDefaultTimeoutMs;
    return static_cast<int>(std::min<long long>(timeoutSeconds * 1000LL, INT_MAX));
}

}  // namespace

Bytes RequestObjectClient(RequestObjectFactory& platform, const Text& url, int method,
                          const Text& body, InOut<Text> cookies, InOut<Text> responseCookies,
                          InOut<Text> headers, InOut<Text> responseHeaders, InOut<int> status,
                          bool noRedirect, const Bytes& bodyBytes, const Text& proxy,
                          int timeoutSeconds, const Text& proxyUser, const Text& proxyPassword,
                          std::optional<int> proxyCredentialFlag, RequestObject* requestObject) {
    std::unique_ptr<RequestObject> created;
    RequestObject* object = requestObject;
    if (object == nullptr) {
        created = platform.Create();
        object = created.get();
        if (object == nullptr) return {};
    }

    if (timeoutSeconds != -1) {
        const int t = TimeoutMs(timeoutSeconds);
        object->SetTimeouts(t, t, t, t);
    }
    if (!proxy.empty()) {
        object->SetProxy(kProxySettingProxy, proxy);
        if (!proxyUser.empty()) {
            object->SetProxyCredentials(proxyUser, proxyPassword, proxyCredentialFlag.value_or(1));
        }
    }
    object->Open(MethodName(method), url, false);
    if (noRedirect) object->SetOption(kOptionEnableRedirects, 0);

    // The Cookie header goes first, so that a Cookie line of the caller's block follows it.
    CompleteRequestHeaders(*headers, url, {}, HeaderClient::kRequestObject);
    if (!cookies->empty()) object->SetRequestHeader("Cookie", *cookies);
    for (const Text& line : Split(*headers, "\r\n")) {
        if (!line.empty()) object->SetRequestHeader(HeaderName(line), HeaderValue(line));
    }

    if (!bodyBytes.empty()) {
        object->SendBytes(bodyBytes);
    } else {
        object->Send(body);
    }

    Bytes result = object->ResponseBody();
    *responseHeaders = NormaliseSetCookie(object->GetAllResponseHeaders());
    *status = object->Status();
    *responseCookies = CollectSetCookies(*responseHeaders);
    MergeCookies(*cookies, *responseCookies);
    return result;
}

}  // namespace vt
