#include "recognition/ocr_client.h"

#include <algorithm>

#include "http/request_object_client.h"
#include "text/codepage.h"

namespace vt {

Text Utf8ToLocalText(const Bytes& utf8) {
    const auto end = std::find(utf8.begin(), utf8.end(), 0);
    return Utf8ToCp936(std::string_view(reinterpret_cast<const char*>(utf8.data()),
                                        static_cast<size_t>(end - utf8.begin())));
}

Text OcrClient::Recognise(Text parameterValue, const Text& accessToken, const Text& deviceId,
                          const Text& parameterName) const {
    const Text address =
        context_.service.Address("/rest/2.0/ocr/v1/accurate_basic?access_token=" + accessToken +
                                 "&aipSdk=Android&aipSdkVersion=1_3_3&aipDevid=" + deviceId);
    Text body;
    body.reserve(parameterValue.size() + parameterName.size() + 23);
    body.append("detect_direction=true&").append(parameterName).append("=");
    body.append(parameterValue);
    const Text answer =
        Utf8ToLocalText(RequestObjectClient(*context_.requestObjects, address, 1, body));
    context_.window->SetControlText(control::kRecognitionAnswer, answer);
    return answer;
}

}  // namespace vt
