#include "service/recognition_endpoint.h"

#include <array>
#include <variant>

#include "service/answers.h"
#include "service/base64_decode.h"
#include "service/form.h"
#include "service/image_decode.h"
#include "service/random_text.h"

namespace vt::ocrd {
namespace {

// Options of the cloud endpoint that take "true" or "false". They are checked and accepted; the
// local engine has no use for them.
constexpr std::array<std::string_view, 4> kSwitches = {"detect_direction", "paragraph",
                                                       "probability", "multidirectional_recognize"};

bool SwitchesValid(const FormFields& form) {
    for (std::string_view name : kSwitches) {
        const std::string* value = FindField(form, name);
        if (value && *value != "true" && *value != "false") return false;
    }
    return true;
}

bool TokenValid(const TokenIssuer& tokens, std::string_view query) {
    auto fields = ParseForm(query);
    const std::string* token = fields ? FindField(*fields, "access_token") : nullptr;
    return token && tokens.IsValid(*token);
}

// The decoded image of the form, or the error answer.
std::variant<PixPtr, std::string> ImageOf(std::string_view body) {
    auto form = ParseForm(body);
    if (!form) return OcrErrorAnswer(OcrError::InvalidParam, "invalid param: malformed form body");
    if (!SwitchesValid(*form)) return OcrErrorAnswer(OcrError::InvalidParam);
    const std::string* image = FindField(*form, "image");
    if (!image) {
        if (FindField(*form, "url")) {
            return OcrErrorAnswer(OcrError::InvalidParam,
                                  "invalid param: url is not supported by the local service, "
                                  "send the image itself");
        }
        return OcrErrorAnswer(OcrError::NotEnoughParam);
    }
    if (image->empty()) return OcrErrorAnswer(OcrError::EmptyImage);
    auto bytes = DecodeBase64(*image);
    if (!bytes) return OcrErrorAnswer(OcrError::ImageFormat);
    DecodedImage decoded = DecodeImage(*bytes);
    switch (decoded.problem) {
        case ImageProblem::None:
            return std::move(decoded.pix);
        case ImageProblem::Format:
            return OcrErrorAnswer(OcrError::ImageFormat);
        case ImageProblem::Size:
            return OcrErrorAnswer(OcrError::ImageSize);
    }
    return OcrErrorAnswer(OcrError::Internal);
}

}  // namespace

RecognitionEndpoint::RecognitionEndpoint(const TokenIssuer& tokens, EnginePool& engines,
                                         std::chrono::milliseconds budget)
    : tokens_(tokens), engines_(engines), budget_(budget) {}

std::string RecognitionEndpoint::Answer(const RecognitionRequest& request) {
    if (!TokenValid(tokens_, request.query)) return OcrErrorAnswer(OcrError::InvalidToken);
    if (request.bodyTooLarge) return OcrErrorAnswer(OcrError::ImageSize);
    auto image = ImageOf(request.body);
    if (auto* error = std::get_if<std::string>(&image)) return std::move(*error);

    EnginePool::Lease engine = engines_.Acquire();
    auto lines = engine->Recognise(std::get<PixPtr>(image).get(), budget_);
    if (!lines) return OcrErrorAnswer(OcrError::Internal);
    return WordsAnswer(RandomLogId(), *lines);
}

}  // namespace vt::ocrd
