#include "recognition/recognition_job.h"

#include <algorithm>
#include <string>

#include "codecs/base64.h"
#include "codecs/url_encode.h"
#include "json/json_document.h"
#include "recognition/ocr_client.h"
#include "token/token_store.h"

namespace vt {
namespace {

constexpr std::string_view kInvalidTokenAnswer =
    "{\"error_code\":110,\"error_msg\":\"Access token invalid or no longer valid\"}";

Text ParameterValue(const WorkerContext& context, int mode) {
    if (mode != kImageMode) return context.window->ControlText(control::kUrl);
    return UrlEncode(Base64Encode(*context.values->imageBytes.Snapshot()), true, true);
}

// The answers in image mode that the user must hear of. An empty answer (no network, request
// failed) is reported but does not end the program: that would throw away the unsaved result text.
void CheckImageAnswer(const WorkerContext& context, const Text& answer) {
    if (answer == kInvalidTokenAnswer) {
        context.Tell("当前Key已过期或被人使用，正在尝试获取新的Key！", MessageIcon::kStop,
                     "Key验证失败");
        StartRenewalAfterRejection(context);
    } else if (answer.empty()) {
        context.Tell("遇到不可抗拒的未知错误\r\n请尝试删除运行目录下的log.ini以解决问题",
                     MessageIcon::kStop, "程序出现不可逆的错误！");
    }
}

}  // namespace

void RecognitionJob(const WorkerContext& context, int mode) {
    JsonDocument document(context.scriptEngines);
    const Text answer = OcrClient(context).Recognise(ParameterValue(context, mode),
                                                     context.values->accessToken.Get(),
                                                     context.values->deviceId.Get(), "image");
    if (mode == kImageMode) CheckImageAnswer(context, answer);

    document.Load(answer);
    // Every line takes bytes of the answer, so a count beyond its length can only come from an
    // answer that redefined the counting script; it must not keep the job appending forever.
    const long long lines =
        std::min<long long>(document.Count("words_result"), static_cast<long long>(answer.size()));
    const Text separator = mode == kImageMode ? "" : "\r\n";
    for (long long i = 0; i < lines; ++i) {
        const Text line = document.GetText("words_result[" + std::to_string(i) + "].words");
        context.window->AppendControlText(control::kResultBox, line + separator);
    }
    context.window->SetProgressPosition(100);
    context.window->SetTimerPeriod(0);
    document.Destroy();
}

}  // namespace vt
