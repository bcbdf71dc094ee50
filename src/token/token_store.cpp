#include "token/token_store.h"

#include <algorithm>
#include <future>
#include <memory>
#include <system_error>

#include "codecs/text_between.h"
#include "platform/ini_file.h"
#include "text/codepage.h"
#include "token/credentials.h"
#include "token/date_stamp.h"

namespace vt {
namespace {

constexpr std::string_view kTokenSection = "access_token";
constexpr std::string_view kTokenKey = "ApiKey";
constexpr std::string_view kStampSection = "tem";
constexpr std::string_view kStampKey = "s";

// Takes the token and stores it; the stamp too when `stamp` is given.
void StoreToken(const WorkerContext& context, const Text& token, const Text* stamp) {
    context.values->accessToken.Set(token);
    const std::filesystem::path cache = TokenCachePath(context);
    WriteIniValue(cache, kTokenSection, kTokenKey, token);
    if (stamp) WriteIniValue(cache, kStampSection, kStampKey, *stamp);
}

void EndProgram(const WorkerContext& context) {
    context.window->DestroyMainWindow();
}

// Deletes the stale cache so that the next start fetches a new token, and ends the program.
void DiscardStaleCache(const WorkerContext& context) {
    context.Tell("Key以更新，程序将退出后自动更新！", MessageIcon::kStop, "执行Key更新后策略");
    const std::filesystem::path cache = TokenCachePath(context);
    std::error_code error;
    std::filesystem::remove(cache, error);
    if (std::filesystem::exists(cache, error)) {
        context.Tell("执行更新命令失败，请尝试手动删除运行目录下log.ini文件", MessageIcon::kStop,
                     "警告：");
    }
    EndProgram(context);
}

// A fresh cache whose token is empty: store a pair-2 token under the old stamp and end.
void RefillEmptyToken(const WorkerContext& context) {
    StoreToken(context, FetchToken(context, 2), nullptr);
    context.Tell("载入配置时遇到错误，尝试右键管理员运行或重启程序！", MessageIcon::kStop,
                 "读配置失败后策略：");
    EndProgram(context);
}

}  // namespace

std::filesystem::path TokenCachePath(const WorkerContext& context) {
    return context.programDirectory / "log.ini";
}

Text TokenRequestAddress(const ServiceEndpoint& service, int pairNumber) {
    const CredentialPair& pair = CredentialPairNumber(pairNumber);
    return service.Address(
        "/oauth/2.0/token?grant_type=client_credentials&client_id=" + std::string(pair.clientId) +
        "&client_secret=" + std::string(pair.clientSecret));
}

Text FetchToken(const WorkerContext& context, int pairNumber) {
    const Bytes body =
        context.downloader->Download(TokenRequestAddress(context.service, pairNumber));
    const Text answer(body.begin(), std::find(body.begin(), body.end(), 0));
    context.window->SetControlText(control::kTokenAnswer, answer);
    return TextBetween(answer, "\"access_token\":\"", "\",\"scope\":\"");
}

void CheckToken(const WorkerContext& context) {
    MainWindowServices& window = *context.window;
    const std::filesystem::path cache = TokenCachePath(context);
    std::error_code error;
    if (!std::filesystem::exists(cache, error)) {
        window.SetControlText(control::kStatusLabel, Utf8ToCp936("本次以自动获取更新！"));
        const Text token = FetchToken(context, 1);
        const Text stamp = DateStamp(context.today());
        StoreToken(context, token, &stamp);
        return;
    }
    const Text today = DateStamp(context.today());
    const Text stored = ReadIniValue(cache, kStampSection, kStampKey);
    window.SetControlText(control::kTodayStamp, today);
    window.SetControlText(control::kStoredStamp, stored);
    const CacheAge age = AgeOfCache(today, stored);
    window.SetControlText(control::kCacheAge, age.text);
    if (!age.fresh) return DiscardStaleCache(context);
    const Text cached = ReadIniValue(cache, kTokenSection, kTokenKey);
    if (cached.empty()) return RefillEmptyToken(context);
    context.values->accessToken.Set(cached);
}

void RenewToken(const WorkerContext& context, const std::function<void()>& onStored) {
    const Text token = FetchToken(context, 2);
    const Text stamp = DateStamp(context.today());
    StoreToken(context, token, &stamp);
    if (onStored) onStored();
    context.Tell("当前以无条件后台更新Key，如果识别失败请尝试重启应用！", MessageIcon::kInformation,
                 "Key以无条件更新：");
}

void StartRenewalAfterRejection(const WorkerContext& context) {
    auto stored = std::make_shared<std::promise<void>>();
    std::shared_future<void> renewed = stored->get_future().share();
    context.window->StartThread(
        [context, stored] { RenewToken(context, [&stored] { stored->set_value(); }); });
    context.window->StartThread([context, renewed] {
        renewed.wait();
        CheckToken(context);
    });
}

}  // namespace vt
