// The recognition job and the OCR client against the local service (real recognition, token
// expiry) and against the canned HTTPS fixture (exact requests, chosen answers).
#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <iterator>
#include <thread>

#include "codecs/base64.h"
#include "codecs/url_encode.h"
#include "platform/ini_file.h"
#include "recognition/ocr_client.h"
#include "recognition/recognition_job.h"
#include "support/https_fixture.h"
#include "support/ocr_service_process.h"
#include "support/worker_test_context.h"
#include "text/codepage.h"
#include "token/token_store.h"

namespace vt {
namespace {

constexpr char kEndpoint[] = "/rest/2.0/ocr/v1/accurate_basic";
constexpr char kInvalidToken[] =
    R"({"error_code":110,"error_msg":"Access token invalid or no longer valid"})";
const std::vector<std::string> kJobEnd = {"progress 100", "timer 0"};

Bytes TestImage(const std::string& name) {
    std::ifstream in(std::string(VT_RECOGNITION_DATA) + "/" + name, std::ios::binary);
    return Bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

test::RecordedMessage EmptyAnswerMessage() {
    return {"遇到不可抗拒的未知错误\r\n请尝试删除运行目录下的log.ini以解决问题", MessageIcon::kStop,
            "程序出现不可逆的错误！"};
}

class RecognitionServiceTest : public testing::Test {
  protected:
    void SetUp() override {
        CheckToken(worker_.context);
        ASSERT_FALSE(worker_.values.accessToken.Get().empty());
    }

    test::WorkerTestContext worker_{test::SharedOcrService(VT_OCRD_BINARY).Port()};
};

TEST_F(RecognitionServiceTest, ImageModeRunsTheLinesTogether) {
    worker_.values.imageBytes.Set(TestImage("three_lines.png"));

    RecognitionJob(worker_.context, kImageMode);

    test::RecordingMainWindow& window = worker_.window;
    EXPECT_EQ(window.Appends(), (std::vector<Text>{"one", "two", "three"}));
    EXPECT_EQ(window.ControlText(control::kResultBox), "onetwothree");
    EXPECT_NE(window.ControlText(control::kRecognitionAnswer).find("\"words_result\":["),
              Text::npos);
    EXPECT_TRUE(window.Messages().empty());
    EXPECT_EQ(window.Events(), kJobEnd);
}

TEST_F(RecognitionServiceTest, AnswersWithoutLinesAppendNothingAndStillEnd) {
    const struct {
        const char* image;
        Bytes bytes;
        const char* answerHolds;
    } cases[] = {
        {"blank", TestImage("blank.png"), "\"words_result\":[]"},
        {"not an image", ToBytes("plain text"), "\"error_code\":216201"},
    };
    for (const auto& c : cases) {
        test::WorkerTestContext worker(test::SharedOcrService(VT_OCRD_BINARY).Port());
        worker.values.accessToken.Set(worker_.values.accessToken.Get());
        worker.values.imageBytes.Set(c.bytes);

        RecognitionJob(worker.context, kImageMode);

        EXPECT_NE(worker.window.ControlText(control::kRecognitionAnswer).find(c.answerHolds),
                  Text::npos)
            << c.image;
        EXPECT_TRUE(worker.window.Appends().empty()) << c.image;
        EXPECT_TRUE(worker.window.Messages().empty()) << c.image;
        EXPECT_EQ(worker.window.Events(), kJobEnd) << c.image;
    }
}

// An expired token: the user is told, then RenewToken stores a new token and only after that
// CheckToken reads the cache, so the new token is the one in use.
TEST(RecognitionTokenExpiryTest, InvalidTokenRenewsTheToken) {
    test::OcrServiceProcess service(VT_OCRD_BINARY, test::SharedTestCertificates(),
                                    {"--token-ttl", "1"});
    test::WorkerTestContext worker(service.Port());
    worker.context.today = [] { return LocalDate{2024, 1, 15}; };
    CheckToken(worker.context);
    const Text oldToken = worker.values.accessToken.Get();
    ASSERT_FALSE(oldToken.empty());
    worker.context.today = [] { return LocalDate{2024, 1, 17}; };
    worker.values.imageBytes.Set(TestImage("three_lines.png"));
    std::this_thread::sleep_for(std::chrono::milliseconds(2100));

    RecognitionJob(worker.context, kImageMode);
    worker.window.JoinThreads();

    EXPECT_EQ(worker.window.ControlText(control::kRecognitionAnswer), kInvalidToken);
    EXPECT_TRUE(worker.window.Appends().empty());
    const std::vector<std::string> events = worker.window.Events();
    ASSERT_GE(events.size(), 5u);
    EXPECT_EQ(events[0], "message 当前Key已过期或被人使用，正在尝试获取新的Key！");
    EXPECT_EQ(events[1], "thread");
    EXPECT_EQ(events[2], "thread");
    EXPECT_EQ(
        worker.window.Messages(),
        (std::vector<test::RecordedMessage>{
            {"当前Key已过期或被人使用，正在尝试获取新的Key！", MessageIcon::kStop, "Key验证失败"},
            {"当前以无条件后台更新Key，如果识别失败请尝试重启应用！", MessageIcon::kInformation,
             "Key以无条件更新："}}));
    EXPECT_FALSE(worker.window.Destroyed());

    const Text newToken = worker.values.accessToken.Get();
    EXPECT_FALSE(newToken.empty());
    EXPECT_NE(newToken, oldToken);
    EXPECT_EQ(ReadIniValue(worker.LogIni(), "access_token", "ApiKey"), newToken);
    EXPECT_EQ(ReadIniValue(worker.LogIni(), "tem", "s"), "2024117");
    EXPECT_EQ(worker.window.ControlText(control::kStoredStamp), "2024117")
        << "CheckToken read the renewed cache";
}

// No answer at all in image mode: the user is told, and the main window (with the unsaved
// result text) stays.
TEST(RecognitionWithoutServiceTest, EmptyAnswerIsReportedAndTheWindowKept) {
    int port = 0;
    {
        test::HttpsFixture gone;
        port = gone.Port();
    }
    test::WorkerTestContext worker(port);
    worker.window.SetControlText(control::kRecognitionAnswer, "previous answer");
    worker.values.imageBytes.Set(TestImage("three_lines.png"));

    RecognitionJob(worker.context, kImageMode);

    EXPECT_EQ(worker.window.ControlText(control::kRecognitionAnswer), "");
    EXPECT_EQ(worker.window.Messages(), std::vector<test::RecordedMessage>{EmptyAnswerMessage()});
    EXPECT_EQ(worker.window.Events(),
              (std::vector<std::string>{"message " + EmptyAnswerMessage().text, "progress 100",
                                        "timer 0"}));
}

class RecognitionFixtureTest : public testing::Test {
  protected:
    void Answer(const std::string& body) { fixture_.Reply(kEndpoint, {200, {}, body}); }

    test::HttpsFixture fixture_;
    test::WorkerTestContext worker_{fixture_.Port()};
};

TEST_F(RecognitionFixtureTest, SendsTheImageAndTheAddressAsTheServiceExpects) {
    const Bytes image = {0xFB, 0xFF, 0xFE, 0x00};  // Base64 "+//+AA==" needs every escape
    worker_.values.imageBytes.Set(image);
    worker_.window.SetControlText(control::kUrl, "https://example.test/a.png?x=1&y=%41");
    Answer("{}");

    RecognitionJob(worker_.context, kImageMode);
    worker_.values.accessToken.Set("24.token");
    RecognitionJob(worker_.context, kAddressMode);

    const std::vector<test::ReceivedRequest> requests = fixture_.Requests();
    ASSERT_EQ(requests.size(), 2u);
    const std::string query =
        "&aipSdk=Android&aipSdkVersion=1_3_3&aipDevid=" + std::string(kDeviceIdentifier);
    EXPECT_EQ(requests[0].method, "POST");
    EXPECT_EQ(requests[0].target, std::string(kEndpoint) + "?access_token=" + query);
    EXPECT_EQ(requests[0].body, "detect_direction=true&image=%2B%2F%2F%2BAA%3D%3D");
    EXPECT_EQ(requests[0].Value("Content-Type"), "application/x-www-form-urlencoded");
    EXPECT_EQ(requests[1].target, std::string(kEndpoint) + "?access_token=24.token" + query);
    EXPECT_EQ(requests[1].body, "detect_direction=true&image=https://example.test/a.png?x=1&y=%41");
}

TEST_F(RecognitionFixtureTest, SendsACaptureSizedImageWhole) {
    Bytes capture(600 * 1024);
    for (size_t i = 0; i < capture.size(); ++i) capture[i] = static_cast<std::uint8_t>(i * 131 + 7);
    worker_.values.imageBytes.Set(capture);
    Answer("{}");

    RecognitionJob(worker_.context, kImageMode);

    ASSERT_EQ(fixture_.Requests().size(), 1u);
    EXPECT_EQ(fixture_.Requests()[0].body,
              "detect_direction=true&image=" + UrlEncode(Base64Encode(capture), true, true));
}

TEST_F(RecognitionFixtureTest, TurnsAnswersIntoLines) {
    const std::string threeLines =
        R"({"log_id":1,"words_result_num":3,"words_result":[{"words":"一"},{"words":"two"},)"
        R"({"words":"三"}]})";
    const struct {
        const char* what;
        int mode;
        std::string answer;
        std::string appended;  // UTF-8
        bool emptyAnswerMessage;
    } cases[] = {
        {"image lines", kImageMode, threeLines, "一two三", false},
        {"address lines", kAddressMode, threeLines, "一\r\ntwo\r\n三\r\n", false},
        {"empty words_result", kImageMode, R"({"words_result_num":0,"words_result":[]})", "",
         false},
        {"error answer", kImageMode, R"({"error_code":216201,"error_msg":"image format error"})",
         "", false},
        {"not JSON", kImageMode, "<html>busy</html>", "", false},
        {"empty in image mode", kImageMode, "", "", true},
        {"empty in address mode", kAddressMode, "", "", false},
        {"invalid token in address mode", kAddressMode, kInvalidToken, "", false},
        {"answer that redefines the count", kImageMode,
         R"({"words_result":[]});get__count=function(){return 2e9};(0)", "", false},
    };
    for (const auto& c : cases) {
        test::WorkerTestContext worker(fixture_.Port());
        worker.window.SetControlText(control::kUrl, "https://example.test/a.png");
        Answer(c.answer);

        RecognitionJob(worker.context, c.mode);

        EXPECT_EQ(worker.window.ControlUtf8(control::kResultBox), c.appended) << c.what;
        EXPECT_EQ(worker.window.ControlText(control::kRecognitionAnswer), Utf8ToCp936(c.answer))
            << c.what;
        const std::vector<test::RecordedMessage> messages = worker.window.Messages();
        EXPECT_EQ(messages.size(), c.emptyAnswerMessage ? 1u : 0u) << c.what;
        const std::vector<std::string> events = worker.window.Events();
        EXPECT_EQ(std::vector<std::string>(events.end() - 2, events.end()), kJobEnd) << c.what;
        EXPECT_FALSE(worker.window.Destroyed()) << c.what;
    }
}

TEST_F(RecognitionFixtureTest, ACopiedClientSendsTheSameRequest) {
    Answer(R"({"words_result":[]})");
    const OcrClient client(worker_.context);
    const OcrClient copy = client.Copy();

    EXPECT_EQ(copy.Recognise("abc", "", "dev", "image"), R"({"words_result":[]})");
    EXPECT_EQ(worker_.window.ControlText(control::kRecognitionAnswer), R"({"words_result":[]})");
    ASSERT_EQ(fixture_.Requests().size(), 1u);
    EXPECT_EQ(fixture_.Requests()[0].body, "detect_direction=true&image=abc");
}

}  // namespace
}  // namespace vt
