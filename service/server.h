#pragma once
// The HTTPS front of the service: TLS, limits, time-outs, routes and the request log.

#include <memory>

#include "service/options.h"
#include "service/recognition_endpoint.h"
#include "service/token_issuer.h"

namespace httplib {
class SSLServer;
}

namespace vt::ocrd {

inline constexpr const char* kTokenPath = "/oauth/2.0/token";
inline constexpr const char* kRecognitionPath = "/rest/2.0/ocr/v1/accurate_basic";

class OcrServer {
  public:
    // Loads the certificate and key; throws std::runtime_error when they cannot be used.
    OcrServer(const ServiceOptions& options, const TokenIssuer& tokens,
              RecognitionEndpoint& recognition);
    ~OcrServer();

    // Binds 127.0.0.1 at `port` (0: any free port); gives the port, or -1.
    int Bind(int port);
    // Serves until Stop; false when it could not start.
    bool Serve();
    bool IsRunning() const;
    // Ends Serve after the requests under way; call once, from another thread, while running.
    void Stop();

  private:
    void Route(const TokenIssuer& tokens, RecognitionEndpoint& recognition, std::size_t maxBody);
    void LogRequests();

    std::unique_ptr<httplib::SSLServer> server_;
};

}  // namespace vt::ocrd
