// The token store against the local OCR service and, where the exact request or an odd answer
// matters, against the canned HTTPS fixture.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "platform/ini_file.h"
#include "support/https_fixture.h"
#include "support/ocr_service_process.h"
#include "support/worker_test_context.h"
#include "token/credentials.h"
#include "token/token_store.h"

namespace vt {
namespace {

std::string FileContent(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

class TokenServiceTest : public testing::Test {
  protected:
    test::RecordingMainWindow& Window() { return worker_.window; }
    const WorkerContext& Context() { return worker_.context; }

    test::WorkerTestContext worker_{test::SharedOcrService(VT_OCRD_BINARY).Port()};
};

TEST_F(TokenServiceTest, FirstRunFetchesAndCachesTheToken) {
    worker_.context.today = [] { return LocalDate{2024, 1, 5}; };

    CheckToken(Context());

    const Text token = worker_.values.accessToken.Get();
    EXPECT_FALSE(token.empty());
    EXPECT_EQ(FileContent(worker_.LogIni()),
              "[access_token]\r\nApiKey=" + token + "\r\n[tem]\r\ns=202415\r\n");
    EXPECT_EQ(Window().ControlUtf8(control::kStatusLabel), "本次以自动获取更新！");
    EXPECT_NE(Window().ControlText(control::kTokenAnswer).find("\"access_token\":\"" + token),
              Text::npos);
    EXPECT_TRUE(Window().Messages().empty());
    EXPECT_FALSE(Window().Destroyed());
}

TEST_F(TokenServiceTest, EmptyCachedTokenIsRefilledAndTheProgramEnds) {
    worker_.context.today = [] { return LocalDate{2024, 1, 17}; };
    ASSERT_TRUE(WriteIniValue(worker_.LogIni(), "access_token", "ApiKey", ""));
    ASSERT_TRUE(WriteIniValue(worker_.LogIni(), "tem", "s", "2024115"));

    CheckToken(Context());

    const Text token = worker_.values.accessToken.Get();
    EXPECT_FALSE(token.empty());
    EXPECT_EQ(ReadIniValue(worker_.LogIni(), "access_token", "ApiKey"), token);
    EXPECT_EQ(ReadIniValue(worker_.LogIni(), "tem", "s"), "2024115") << "the stamp stays";
    EXPECT_EQ(
        Window().Messages(),
        (std::vector<test::RecordedMessage>{{"载入配置时遇到错误，尝试右键管理员运行或重启程序！",
                                             MessageIcon::kStop, "读配置失败后策略："}}));
    EXPECT_EQ(Window().Events().back(), "destroy");
}

TEST_F(TokenServiceTest, RenewalStoresANewTokenAndStampThenTells) {
    worker_.context.today = [] { return LocalDate{2024, 3, 12}; };
    ASSERT_TRUE(WriteIniValue(worker_.LogIni(), "access_token", "ApiKey", "old"));
    ASSERT_TRUE(WriteIniValue(worker_.LogIni(), "tem", "s", "2024310"));
    bool storedBeforeMessage = false;

    RenewToken(Context(), [&] { storedBeforeMessage = Window().Messages().empty(); });

    const Text token = worker_.values.accessToken.Get();
    EXPECT_FALSE(token.empty());
    EXPECT_NE(token, "old");
    EXPECT_EQ(ReadIniValue(worker_.LogIni(), "access_token", "ApiKey"), token);
    EXPECT_EQ(ReadIniValue(worker_.LogIni(), "tem", "s"), "2024312");
    EXPECT_TRUE(storedBeforeMessage);
    EXPECT_EQ(Window().Messages(), (std::vector<test::RecordedMessage>{
                                       {"当前以无条件后台更新Key，如果识别失败请尝试重启应用！",
                                        MessageIcon::kInformation, "Key以无条件更新："}}));
    EXPECT_FALSE(Window().Destroyed());
}

// A failed request gives an empty token, cached like any other and without a message.
TEST(TokenWithoutServiceTest, FailedDownloadCachesAnEmptyToken) {
    int port = 0;
    {
        test::HttpsFixture gone;
        port = gone.Port();
    }
    test::WorkerTestContext worker(port);
    worker.values.accessToken.Set("stale");
    worker.context.today = [] { return LocalDate{2024, 11, 25}; };

    CheckToken(worker.context);

    EXPECT_EQ(worker.values.accessToken.Get(), "");
    EXPECT_EQ(FileContent(worker.LogIni()), "[access_token]\r\nApiKey=\r\n[tem]\r\ns=20241125\r\n");
    EXPECT_EQ(worker.window.ControlText(control::kTokenAnswer), "");
    EXPECT_TRUE(worker.window.Messages().empty());
    EXPECT_FALSE(worker.window.Destroyed());
}

TEST(TokenRequestTest, AsksWithTheBuiltInPairAndTakesOnlyAnAdjacentScope) {
    test::HttpsFixture fixture;
    test::WorkerTestContext worker(fixture.Port());
    const std::string path = "/oauth/2.0/token";
    const std::string adjacent = R"({"refresh_token":"r","access_token":"24.abc","scope":"s"})";
    const std::string apart = R"({"access_token":"24.abc","expires_in":2592000,"scope":"s"})";

    fixture.Reply(path, {200, {}, adjacent});
    EXPECT_EQ(FetchToken(worker.context, 1), "24.abc");
    EXPECT_EQ(worker.window.ControlText(control::kTokenAnswer), adjacent);
    fixture.Reply(path, {200, {}, apart});
    EXPECT_EQ(FetchToken(worker.context, 2), "");
    EXPECT_EQ(worker.window.ControlText(control::kTokenAnswer), apart);
    fixture.Reply(path, {401, {}, R"({"error":"invalid_client"})"});
    EXPECT_EQ(FetchToken(worker.context, 2), "");

    const std::vector<test::ReceivedRequest> requests = fixture.Requests();
    ASSERT_EQ(requests.size(), 3u);
    for (int pair = 1; pair <= 2; ++pair) {
        const test::ReceivedRequest& request = requests[pair - 1];
        EXPECT_EQ(request.method, "GET");
        EXPECT_EQ(request.target,
                  path + "?grant_type=client_credentials&client_id=" +
                      std::string(CredentialPairNumber(pair).clientId) +
                      "&client_secret=" + std::string(CredentialPairNumber(pair).clientSecret));
    }
}

}  // namespace
}  // namespace vt
