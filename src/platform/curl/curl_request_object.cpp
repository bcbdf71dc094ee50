#include "platform/curl/curl_request_object.h"

#include <algorithm>

#include "platform/curl/curl_transfer.h"
#include "text/codepage.h"

namespace vt {
namespace {

using std::chrono::milliseconds;
using std::chrono::seconds;

// Credentials flag of SetProxyCredentials: 0 names the server's credentials, 1 the proxy's.
constexpr int kCredentialsForServer = 0;
constexpr int kCredentialsForProxy = 1;

class CurlRequestObject : public RequestObject {
  public:
    explicit CurlRequestObject(const CurlSettings& settings) : settings_(settings) {}

    void SetTimeouts(int /*resolveMs*/, int connectMs, int sendMs, int receiveMs) override {
        if (connectMs > 0) request_.connectTimeout = milliseconds(connectMs);
        const long long stallMs = std::max(sendMs, receiveMs);
        if (stallMs > 0) request_.stallTimeout = seconds((stallMs + 999) / 1000);
    }

    void SetProxy(int setting, const Text& proxyServer) override {
        if (setting == kProxySettingProxy) request_.proxy = proxyServer;
    }

    void SetProxyCredentials(const Text& user, const Text& password, int flag) override {
        if (flag == kCredentialsForProxy) {
            request_.proxyUser = user;
            request_.proxyPassword = password;
        } else if (flag == kCredentialsForServer) {
            request_.serverUser = user;
            request_.serverPassword = password;
        }
    }

    void Open(const Text& method, const Text& url, bool async) override {
        opened_ = !async && (method == "GET" || method == "POST" || method == "HEAD");
        if (!opened_) return;
        request_.method = method;
        request_.url = url;
        request_.headers.clear();
        answer_ = {};
    }

    void SetOption(int option, int value) override {
        if (option == kOptionEnableRedirects) request_.followRedirects = value != 0;
    }

    void SetRequestHeader(const Text& name, const Text& value) override {
        if (opened_) request_.headers.emplace_back(name, value);
    }

    // A text body goes out as UTF-8.
    void Send(const Text& body) override { SendBytes(ToBytes(Cp936ToUtf8(body))); }

    void SendBytes(const Bytes& body) override {
        if (!opened_) return;
        request_.body = body;
        answer_ = curl::PerformTransfer(request_, settings_);
        opened_ = false;
    }

    Bytes ResponseBody() override { return answer_.body; }

    Text GetAllResponseHeaders() override {
        Text headers;
        for (size_t i = 1; i < answer_.headerLines.size(); ++i) {
            if (i > 1) headers += "\r\n";
            headers += answer_.headerLines[i];
        }
        return headers;
    }

    int Status() override { return answer_.status; }

  private:
    const CurlSettings settings_;
    curl::TransferRequest request_;
    bool opened_ = false;
    curl::TransferResult answer_;
};

}  // namespace

CurlRequestObjectFactory::CurlRequestObjectFactory(CurlSettings settings)
    : settings_(std::move(settings)) {}

std::unique_ptr<RequestObject> CurlRequestObjectFactory::Create() {
    return std::make_unique<CurlRequestObject>(settings_);
}

}  // namespace vt
