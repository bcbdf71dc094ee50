#pragma once
// The "accurate_basic" recognition endpoint: token check, form and image checks, OCR.

#include <chrono>
#include <string>
#include <string_view>

#include "service/engine_pool.h"
#include "service/token_issuer.h"

namespace vt::ocrd {

struct RecognitionRequest {
    std::string_view query;     // the raw query string, without "?"
    std::string_view body;      // the form body
    bool bodyTooLarge = false;  // the body went over the limit and was not kept
};

class RecognitionEndpoint {
  public:
    // `budget` bounds the time one recognition may take.
    RecognitionEndpoint(const TokenIssuer& tokens, EnginePool& engines,
                        std::chrono::milliseconds budget);

    // The JSON answer. Like the cloud service's, every answer goes out with HTTP status 200,
    // errors included; the program reads the body only.
    std::string Answer(const RecognitionRequest& request);

  private:
    const TokenIssuer& tokens_;
    EnginePool& engines_;
    std::chrono::milliseconds budget_;
};

}  // namespace vt::ocrd
