#pragma once
// The client of the OCR service's general text recognition endpoint ("accurate_basic").

#include "text/text.h"
#include "token/worker_context.h"

namespace vt {

// The service's UTF-8 answer as code-page-936 text, cut at its first zero byte; characters that
// code page 936 cannot hold become "?".
Text Utf8ToLocalText(const Bytes& utf8);

class OcrClient {
  public:
    explicit OcrClient(const WorkerContext& context) : context_(context) {}

    void Destroy() {}
    OcrClient Copy() const { return *this; }

    // Posts "detect_direction=true&<name>=<value>" to the endpoint with the token and the device
    // identifier in the query, inserted without encoding; the value arrives encoded as the caller
    // wants it. Returns the answer as local text, empty when no answer came, and leaves the same
    // text in the hidden box 返回验证.
    Text Recognise(Text parameterValue, const Text& accessToken, const Text& deviceId,
                   const Text& parameterName) const;

  private:
    const WorkerContext& context_;
};

}  // namespace vt
