#pragma once
// A client that opens a connection to the service and then falls silent.

#include <chrono>
#include <string>

typedef struct ssl_ctx_st SSL_CTX;
typedef struct ssl_st SSL;

namespace vt::ocrd::test {

class SlowClient {
  public:
    // Connects to 127.0.0.1:`port`; with `caFile`, also completes the TLS handshake (trusting
    // that CA) and sends `partialRequest`. Without it, sends nothing at all.
    SlowClient(int port, const std::string& caFile = "", const std::string& partialRequest = "");
    ~SlowClient();
    SlowClient(const SlowClient&) = delete;
    SlowClient& operator=(const SlowClient&) = delete;

    bool connected() const { return connected_; }
    // True when the service ends the connection within `limit` (with or without an answer).
    bool EndedByServiceWithin(std::chrono::seconds limit);

  private:
    int socket_ = -1;
    SSL_CTX* context_ = nullptr;
    SSL* ssl_ = nullptr;
    bool connected_ = false;
};

}  // namespace vt::ocrd::test
