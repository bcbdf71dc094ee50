// The real veltrace-ocrd over HTTPS: tokens, recognition of rendered text, errors, limits,
// concurrency, time-outs, the log and a clean stop.

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <csignal>
#include <cstdlib>
#include <future>
#include <regex>
#include <thread>

#include "codecs/base64.h"
#include "codecs/text_between.h"
#include "codecs/url_encode.h"
#include "service/https_client.h"
#include "service/service_process.h"
#include "service/slow_client.h"
#include "service/test_images.h"
#include "service/text_images.h"

namespace vt::ocrd::test {
namespace {

using namespace std::chrono_literals;

constexpr const char* kPair1 =
    "client_id=Qm4TvLp8RxK2nHc7WsY3bJfA&client_secret=Zt5uNw2QeLr9Hk3VbP7mXc4JsD8yGa6F";
constexpr const char* kPair2 =
    "client_id=Hb7KpQ2wZr5TnL9vXc3MdF6s&client_secret=Yp3NqV8tKc2LwR6zBm9HsJ4xDf7GuT5e";
constexpr const char* kInvalidTokenAnswer =
    "{\"error_code\":110,\"error_msg\":\"Access token invalid or no longer valid\"}";
constexpr std::size_t kMaxBody = 1 << 20;
constexpr auto kIoTimeout = 2s;

std::string TokenTarget(const std::string& parameters) {
    return "/oauth/2.0/token?grant_type=client_credentials&" + parameters;
}

// The request line the program sends: token and device identifier in the query.
std::string RecognitionTarget(const std::string& token) {
    return "/rest/2.0/ocr/v1/accurate_basic?access_token=" + token +
           "&aipSdk=Android&aipSdkVersion=1_3_3&aipDevid=7c2e9b14-5f03-4e7c-b6c1-0d9f4c37a25e";
}

// The body the program sends for a capture.
std::string ImageBody(const Bytes& image) {
    return "detect_direction=true&image=" + UrlEncode(Base64Encode(image), true, true);
}

// The token as the program cuts it out of the answer.
std::string TokenIn(const std::string& answer) {
    return TextBetween(answer, "\"access_token\":\"", "\",\"scope\":\"");
}

int ErrorCodeOf(const std::string& answer) {
    std::smatch match;
    static const std::regex shape(R"(^\{"error_code":(\d+),"error_msg":"[^"]+"\}$)");
    return std::regex_match(answer, match, shape) ? std::stoi(match[1]) : -1;
}

class ServiceTest : public testing::Test {
  protected:
    static void SetUpTestSuite() {
        certs_ = new CertificateDirectory;
        service_ =
            new ServiceProcess(*certs_, {"--threads", "2", "--max-body", std::to_string(kMaxBody),
                                         "--io-timeout", std::to_string(kIoTimeout.count())});
    }
    static void TearDownTestSuite() {
        EXPECT_EQ(service_->Stop(SIGTERM), 0) << service_->Log();
        delete service_;
        delete certs_;
    }

    static Reply Get(const std::string& target) {
        return test::Get(service_->port(), certs_->CaFile(), target);
    }
    static Reply Post(const std::string& target, const std::string& body, bool chunked = false) {
        return test::Post(service_->port(), certs_->CaFile(), target, body, chunked);
    }
    static std::string NewToken() { return TokenIn(Get(TokenTarget(kPair1)).body); }

    static CertificateDirectory* certs_;
    static ServiceProcess* service_;
};

CertificateDirectory* ServiceTest::certs_ = nullptr;
ServiceProcess* ServiceTest::service_ = nullptr;

TEST_F(ServiceTest, TokenEndpointIssuesTokensToTheBuiltInClientsOnly) {
    struct Case {
        const char* name;
        bool post;
        std::string parameters;
        long status;
        std::string answer;  // empty: a token answer
    };
    const std::string unknownClient =
        R"({"error":"invalid_client","error_description":"unknown client id"})";
    const std::string badSecret =
        R"({"error":"invalid_client","error_description":"Client authentication failed"})";
    const std::string badGrant =
        R"({"error":"unsupported_grant_type","error_description":"The authorization grant type is not supported"})";
    const Case cases[] = {
        {"pair 1", false, std::string("grant_type=client_credentials&") + kPair1, 200, ""},
        {"pair 2", false, std::string("grant_type=client_credentials&") + kPair2, 200, ""},
        {"pair 1 posted", true, std::string("grant_type=client_credentials&") + kPair1, 200, ""},
        {"wrong secret", false,
         "grant_type=client_credentials&client_id=Qm4TvLp8RxK2nHc7WsY3bJfA&client_secret="
         "Yp3NqV8tKc2LwR6zBm9HsJ4xDf7GuT5e",
         401, badSecret},
        {"no secret", true, "grant_type=client_credentials&client_id=Hb7KpQ2wZr5TnL9vXc3MdF6s", 401,
         badSecret},
        {"unknown client", false,
         "grant_type=client_credentials&client_id=AAAAAAAAAAAAAAAAAAAAAAAA&client_secret=x", 401,
         unknownClient},
        {"other grant", false, std::string("grant_type=password&") + kPair1, 400, badGrant},
        {"no grant", true, kPair1, 400, badGrant},
    };
    const std::regex tokenAnswer(
        R"(^\{"refresh_token":"25\.[0-9a-f]{32}\.315360000\.[0-9]+-[12]","expires_in":2592000,)"
        R"("session_key":"[0-9a-f]{32}","access_token":"24\.[0-9a-f]{32}\.2592000\.[0-9]+-[12]\.[0-9a-f]{64}",)"
        R"("scope":"[^"]+","session_secret":"[0-9a-f]{32}"\}$)");
    for (const Case& c : cases) {
        Reply reply = c.post ? Post("/oauth/2.0/token", c.parameters)
                             : Get("/oauth/2.0/token?" + c.parameters);
        EXPECT_EQ(reply.status, c.status) << c.name;
        if (!c.answer.empty()) {
            EXPECT_EQ(reply.body, c.answer) << c.name;
            continue;
        }
        EXPECT_TRUE(std::regex_match(reply.body, tokenAnswer)) << c.name << ": " << reply.body;
        // The token works: a request without an image is refused for that, not for the token.
        Reply check = Post(RecognitionTarget(TokenIn(reply.body)), "detect_direction=true");
        EXPECT_EQ(ErrorCodeOf(check.body), 216101) << c.name << ": " << check.body;
    }
}

TEST_F(ServiceTest, RecognisesRenderedTextLineByLine) {
    struct Case {
        const char* name;
        std::vector<std::string> lines;
        int pixelSize;
        QRgb ink, paper;
        Encoding encoding;
    };
    const Case cases[] = {
        {"Chinese",
         {"识别屏幕上的文字并复制到剪贴板", "本地服务使用引擎进行识别", "请在周三之前提交测试结果"},
         16,
         0x000000,
         0xFFFFFF,
         Encoding::Png},
        {"English",
         {"The quick brown fox jumps over the lazy dog", "Recognition latency below 300 ms",
          "Open issues: clipboard bitmap format"},
         15,
         0x202020,
         0xF3F3F3,
         Encoding::Jpeg},
        {"mixed, as a capture",
         {"会议纪要 Meeting notes 2024", "下载地址 Download page", "版本 Version 5.3 已发布"},
         16,
         0x000000,
         0xFFFFFF,
         Encoding::CaptureBmp},
        {"light on dark",
         {"深色背景上的浅色文字", "Light text on a dark background", "终端窗口 terminal"},
         15,
         0xE0E0E0,
         0x1E1E1E,
         Encoding::Png},
    };
    const std::string target = RecognitionTarget(NewToken());
    for (const Case& c : cases) {
        Bytes image = Encode(RenderText(c.lines, c.pixelSize, c.ink, c.paper), c.encoding);
        Reply reply = Post(target, ImageBody(image));
        ASSERT_EQ(reply.status, 200) << c.name;
        std::vector<std::string> words = WordsOf(reply.body);
        double accuracy = CharacterAccuracy(c.lines, words);
        EXPECT_GE(accuracy, 0.95) << c.name << ": " << reply.body;
        EXPECT_EQ(words.size(), c.lines.size()) << c.name << ": " << reply.body;
        std::printf("[ accuracy ] %s: %.3f\n", c.name, accuracy);
    }
}

TEST_F(ServiceTest, UnknownTokensGetTheExactInvalidTokenAnswer) {
    const std::string body =
        ImageBody(Encode(RenderText({"text"}, 16, 0, 0xFFFFFF), Encoding::Png));
    std::string refresh = Get(TokenTarget(kPair2)).body;
    refresh = TextBetween(refresh, "\"refresh_token\":\"", "\"");
    for (const std::string& target : {
             RecognitionTarget(""),
             RecognitionTarget("24.0123456789abcdef0123456789abcdef.2592000.1700000000-1"),
             RecognitionTarget("24.0123456789abcdef0123456789abcdef.2592000.1700000000-1." +
                               std::string(64, '0')),
             RecognitionTarget(refresh),
             RecognitionTarget(NewToken() + "0"),
             RecognitionTarget("%zz"),
             std::string("/rest/2.0/ocr/v1/accurate_basic"),
         }) {
        Reply reply = Post(target, body);
        EXPECT_EQ(reply.status, 200) << target;
        EXPECT_EQ(reply.body, kInvalidTokenAnswer) << target;
    }
}

TEST_F(ServiceTest, BadInputGetsItsErrorCode) {
    Bytes jpeg = Encode(RenderText({"truncated"}, 16, 0, 0xFFFFFF), Encoding::Jpeg);
    Bytes tiny = Encode(QImage(1, 1, QImage::Format_RGB32), Encoding::Png);
    std::string fine = ImageBody(Encode(RenderText({"fine"}, 16, 0, 0xFFFFFF), Encoding::Png));
    struct Case {
        const char* name;
        std::string body;
        int code;
        bool chunked = false;
    };
    const Case cases[] = {
        {"malformed form", "detect_direction=true&image=%G0", 216100},
        {"bad switch", "detect_direction=maybe&" + fine.substr(fine.find("image=")), 216100},
        {"url", "detect_direction=true&url=http%3A%2F%2F127.0.0.1%2Fa.png", 216100},
        {"no image", "detect_direction=true", 216101},
        {"empty image", "detect_direction=true&image=", 216200},
        {"garbage Base64", "detect_direction=true&image=%21%21%21%21", 216201},
        {"an address as the image", "detect_direction=true&image=http://127.0.0.1/a.png", 216201},
        {"not an image", ImageBody(ToBytes("plain text, no picture")), 216201},
        {"truncated JPEG", ImageBody(Bytes(jpeg.begin(), jpeg.begin() + jpeg.size() / 2)), 216201},
        {"1x1 image", ImageBody(tiny), 216202},
        {"huge PNG header", ImageBody(PngHeaderOnly(100000, 100000)), 216202},
        {"body over the limit", fine + std::string(kMaxBody, 'A'), 216202},
        {"chunked body over the limit", fine + std::string(kMaxBody, 'A'), 216202, true},
    };
    const std::string target = RecognitionTarget(NewToken());
    for (const Case& c : cases) {
        Reply reply = Post(target, c.body, c.chunked);
        EXPECT_EQ(reply.status, 200) << c.name;
        EXPECT_EQ(ErrorCodeOf(reply.body), c.code) << c.name << ": " << reply.body;
    }
    // Still serving after all that.
    EXPECT_EQ(WordsOf(Post(target, fine).body), std::vector<std::string>{"fine"});
}

TEST_F(ServiceTest, AnswersConcurrentRequestsEachWithItsOwnText) {
    const std::vector<std::string> phrases = {
        "春天的花园里开满了鲜花", "早晨的咖啡已经凉了", "夏季运动会明天开幕",   "图书馆里非常安静",
        "秋天的落叶铺满小路",     "冬天的火车晚点了",   "雪山脚下有一座小村庄", "河上的石桥很古老"};
    const std::string target = RecognitionTarget(NewToken());
    std::vector<std::future<std::pair<std::vector<std::string>, Reply>>> replies;
    for (std::size_t i = 0; i < phrases.size(); ++i) {
        std::vector<std::string> lines = {phrases[i], "Request number " + std::to_string(i + 1)};
        std::string body = ImageBody(Encode(RenderText(lines, 18, 0, 0xFFFFFF), Encoding::Png));
        replies.push_back(std::async(std::launch::async,
                                     [=] { return std::make_pair(lines, Post(target, body)); }));
    }
    for (auto& future : replies) {
        auto [lines, reply] = future.get();
        ASSERT_EQ(reply.status, 200) << lines[0];
        EXPECT_GE(CharacterAccuracy(lines, WordsOf(reply.body)), 0.95)
            << lines[0] << ": " << reply.body;
    }
}

TEST_F(ServiceTest, SilentClientsAreDroppedAtTheTimeOutWhileOthersAreServed) {
    const std::string post = "POST /rest/2.0/ocr/v1/accurate_basic HTTP/1.1\r\nHost: 127.0.0.1\r\n";
    struct Case {
        const char* name;
        bool tls;
        std::string partialRequest;
    };
    const Case cases[] = {
        {"no TLS handshake", false, ""},
        {"half the headers", true, post},
        {"half the body", true, post + "Content-Length: 1000\r\n\r\ndetect_direction=true&image="},
    };
    for (const Case& c : cases) {
        SlowClient slow(service_->port(), c.tls ? certs_->CaFile() : "", c.partialRequest);
        ASSERT_TRUE(slow.connected()) << c.name;
        EXPECT_EQ(Get(TokenTarget(kPair1)).status, 200) << c.name;
        EXPECT_FALSE(slow.EndedByServiceWithin(0s)) << c.name;
        EXPECT_TRUE(slow.EndedByServiceWithin(kIoTimeout + 10s)) << c.name;
    }
}

TEST_F(ServiceTest, LogsOneLinePerRequestWithoutTokensOrSecrets) {
    std::string token = NewToken();
    Post(RecognitionTarget(token), "detect_direction=true");
    Get("/no/such/path");
    std::string log = service_->LogWith("GET /no/such/path 404 ", 10s);
    EXPECT_NE(log.find("GET /oauth/2.0/token 200 "), std::string::npos) << log;
    EXPECT_NE(log.find("POST /rest/2.0/ocr/v1/accurate_basic 200 "), std::string::npos) << log;
    EXPECT_NE(log.find("GET /no/such/path 404 "), std::string::npos) << log;
    for (const char* secret : {token.c_str(), "Zt5uNw2QeLr9Hk3VbP7mXc4JsD8yGa6F",
                               "Yp3NqV8tKc2LwR6zBm9HsJ4xDf7GuT5e", "access_token"}) {
        EXPECT_EQ(log.find(secret), std::string::npos) << secret;
    }
    const std::regex line(R"((GET|POST) /\S* \d{3} \d+ ms)");
    std::istringstream lines(log);
    for (std::string entry; std::getline(lines, entry);) {
        EXPECT_TRUE(std::regex_match(entry, line)) << entry;
    }
}

TEST_F(ServiceTest, ASecondServiceOnTheSamePortGivesUp) {
    std::string command = std::string(VELTRACE_OCRD) + " --quiet --threads 1 --port " +
                          std::to_string(service_->port()) + " --cert " + certs_->path() +
                          "/server.pem --key " + certs_->path() + "/server.key >/dev/null 2>&1";
    int status = std::system(command.c_str());
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1) << status;
    EXPECT_EQ(Get(TokenTarget(kPair1)).status, 200);
}

TEST(ServiceRestart, TokensOutliveTheServiceThatIssuedThemWhenSignedWithTheSameKey) {
    CertificateDirectory certs;
    const std::vector<std::string> args = {"--threads", "1", "--quiet"};
    std::string token;
    {
        ServiceProcess first(certs, args);
        token = TokenIn(Get(first.port(), certs.CaFile(), TokenTarget(kPair2)).body);
        ASSERT_FALSE(token.empty());
        EXPECT_EQ(first.Stop(SIGTERM), 0);
    }
    ServiceProcess restarted(certs, args);  // the same key file, beside the certificate
    std::vector<std::string> otherKeyArgs = args;
    otherKeyArgs.insert(otherKeyArgs.end(), {"--token-key", certs.path() + "/other.key"});
    ServiceProcess otherKey(certs, otherKeyArgs);
    std::string tampered = token;
    tampered[tampered.find('-') - 1] ^= 1;  // the issue time moved by a second
    struct Case {
        const char* name;
        const ServiceProcess& service;
        std::string token;
        int code;
    };
    const Case cases[] = {
        {"restarted", restarted, token, 216101},
        {"other key", otherKey, token, 110},
        {"tampered", restarted, tampered, 110},
        {"from the other key", restarted,
         TokenIn(Get(otherKey.port(), certs.CaFile(), TokenTarget(kPair1)).body), 110},
    };
    for (const Case& c : cases) {
        Reply reply = Post(c.service.port(), certs.CaFile(), RecognitionTarget(c.token),
                           "detect_direction=true");
        EXPECT_EQ(ErrorCodeOf(reply.body), c.code) << c.name << ": " << reply.body;
        if (c.code == 110) {
            EXPECT_EQ(reply.body, kInvalidTokenAnswer) << c.name;
        }
    }
}

TEST(ServiceLifetime, ExpiredTokensGetTheInvalidTokenAnswerAndSigintEndsCleanly) {
    CertificateDirectory certs;
    // Started as a shell starts a background job: with SIGINT ignored.
    auto previous = std::signal(SIGINT, SIG_IGN);
    ServiceProcess service(certs, {"--token-ttl", "1", "--threads", "1", "--quiet"});
    std::signal(SIGINT, previous);
    std::string token = TokenIn(Get(service.port(), certs.CaFile(), TokenTarget(kPair2)).body);
    auto sendWithoutImage = [&] {
        return Post(service.port(), certs.CaFile(), RecognitionTarget(token),
                    "detect_direction=true");
    };
    EXPECT_EQ(ErrorCodeOf(sendWithoutImage().body), 216101);
    std::this_thread::sleep_for(2500ms);
    EXPECT_EQ(sendWithoutImage().body, kInvalidTokenAnswer);
    EXPECT_EQ(service.Stop(SIGINT), 0);
    EXPECT_EQ(service.Log(), "");  // --quiet
}

}  // namespace
}  // namespace vt::ocrd::test
