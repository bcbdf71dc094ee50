#pragma once
// The HTTP request object: one object prepares, sends and answers one request at a time. The
// production backend is on libcurl (platform/curl/); tests use recording fakes.
//
// Every operation fails silently: a failing call has no effect, and a read after a failed send
// gives an empty value (empty bytes, empty text, status 0). Server certificates are always
// verified; no option turns that off.

#include <memory>

#include "text/text.h"

namespace vt {

// Option of SetOption that switches redirects on (non-zero, the default) or off (0).
inline constexpr int kOptionEnableRedirects = 6;

// The proxy setting of SetProxy that names a proxy server.
inline constexpr int kProxySettingProxy = 2;

class RequestObject {
  public:
    virtual ~RequestObject() = default;

    // Time-outs in milliseconds for name resolution, connecting, sending and receiving.
    virtual void SetTimeouts(int resolveMs, int connectMs, int sendMs, int receiveMs) = 0;
    virtual void SetProxy(int setting, const Text& proxyServer) = 0;
    // Credentials; `flag` 1 gives them to the proxy, 0 to the server.
    virtual void SetProxyCredentials(const Text& user, const Text& password, int flag) = 0;
    // Prepares a request; `async` false makes Send block until the response is in.
    virtual void Open(const Text& method, const Text& url, bool async) = 0;
    virtual void SetOption(int option, int value) = 0;
    // Adds one request header; a name set twice is sent twice.
    virtual void SetRequestHeader(const Text& name, const Text& value) = 0;
    // Sends the request with a text body (code-page-936 text, sent as UTF-8) or a byte body
    // (sent unchanged), and receives the response. Only POST carries the body.
    virtual void Send(const Text& body) = 0;
    virtual void SendBytes(const Bytes& body) = 0;

    virtual Bytes ResponseBody() = 0;
    // All response headers of the final response, joined by CR LF, without the status line.
    virtual Text GetAllResponseHeaders() = 0;
    virtual int Status() = 0;
};

// Makes request objects; creation can fail.
class RequestObjectFactory {
  public:
    virtual ~RequestObjectFactory() = default;
    // A new request object, or nullptr when none can be made.
    virtual std::unique_ptr<RequestObject> Create() = 0;
};

}  // namespace vt
