// What one recognition of a 1920x1080 capture sent as JPEG costs the client itself (Base64, URL
// encoding, the request, the answer's conversion and the JSON work) against a server that
// answers a canned 30-line answer at once, next to the full round trip through the local OCR
// service; prints the client's share of the round trip.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <string>

#include "codecs/base64.h"
#include "codecs/url_encode.h"
#include "http/request_object_client.h"
#include "json/json_document.h"
#include "platform/script/sandboxed_script_engine.h"
#include "recognition/recognition_job.h"
#include "support/https_fixture.h"
#include "support/ocr_service_process.h"
#include "support/worker_test_context.h"
#include "text/codepage.h"
#include "token/token_store.h"

namespace vt {
namespace {

constexpr int kLines = 30;

std::string LineText(int number) {
    std::string line = "Line ";
    line.append(std::to_string(number))
        .append(": the quick brown fox jumps over the lazy dog 0123456789");
    return line;
}

// A screen-sized capture with 30 lines of text, drawn by ImageMagick and stored as JPEG.
Bytes MakeCapture() {
    const std::filesystem::path file = std::filesystem::temp_directory_path() /
                                       ("recognition-bench-" + std::to_string(::getpid()) + ".jpg");
    std::string command =
        "convert -size 1920x1080 xc:'#f4f4f4' -font DejaVu-Sans -pointsize 24 -fill '#202020'";
    for (int i = 0; i < kLines; ++i) {
        command.append(" -annotate +40+").append(std::to_string(40 + i * 34));
        command.append(" '").append(LineText(i + 1)).append("'");
    }
    command += " -quality 90 '" + file.string() + "'";
    if (std::system(command.c_str()) != 0) {
        std::fprintf(stderr, "recognition_bench: ImageMagick's convert is needed\n");
        std::exit(1);
    }
    std::ifstream in(file, std::ios::binary);
    Bytes jpeg((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::filesystem::remove(file);
    return jpeg;
}

std::string CannedAnswer() {
    std::string answer = R"({"log_id":1,"words_result_num":30,"words_result":[)";
    for (int i = 0; i < kLines; ++i) {
        answer.append(i ? "," : "").append(R"({"words":")").append(LineText(i + 1)).append("\"}");
    }
    return answer + "]}";
}

const Bytes& Capture() {
    static const Bytes capture = MakeCapture();
    return capture;
}

void BM_EncodeCapture(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(UrlEncode(Base64Encode(Capture()), true, true));
    state.counters["jpeg_bytes"] = static_cast<double>(Capture().size());
}

void BM_ReadCannedAnswer(benchmark::State& state) {
    const Text answer = Utf8ToCp936(CannedAnswer());
    for (auto _ : state) {
        JsonDocument document(SandboxedScriptEngines());
        document.Load(answer);
        const int lines = document.Count("words_result");
        for (int i = 0; i < lines; ++i) {
            benchmark::DoNotOptimize(
                document.GetText("words_result[" + std::to_string(i) + "].words"));
        }
        document.Destroy();
    }
}

// The HTTPS exchange alone (request object, TLS, upload, answer) inside the client's own cost.
void BM_HttpsExchange(benchmark::State& state) {
    test::HttpsFixture fixture;
    fixture.Reply("/rest/2.0/ocr/v1/accurate_basic", {200, {}, CannedAnswer()});
    CurlRequestObjectFactory requestObjects(test::TestCurlSettings());
    const Text body =
        "detect_direction=true&image=" + UrlEncode(Base64Encode(Capture()), true, true);
    const Text url = fixture.Url("/rest/2.0/ocr/v1/accurate_basic?access_token=x");
    for (auto _ : state)
        benchmark::DoNotOptimize(RequestObjectClient(requestObjects, url, 1, body));
}

// The whole job against a server that answers at once: the client's own cost.
void BM_ClientOwnCost(benchmark::State& state) {
    test::HttpsFixture fixture;
    fixture.Reply("/rest/2.0/ocr/v1/accurate_basic", {200, {}, CannedAnswer()});
    double lines = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto worker = std::make_unique<test::WorkerTestContext>(fixture.Port());
        worker->values.imageBytes.Set(Capture());
        state.ResumeTiming();
        RecognitionJob(worker->context, kImageMode);
        state.PauseTiming();
        lines += static_cast<double>(worker->window.Appends().size());
        worker.reset();
        state.ResumeTiming();
    }
    state.counters["lines"] = lines / static_cast<double>(state.iterations());
}

// The whole job against the local OCR service: the full round trip.
void BM_FullRoundTrip(benchmark::State& state) {
    test::OcrServiceProcess service(VT_OCRD_BINARY, test::SharedTestCertificates());
    test::WorkerTestContext worker(service.Port());
    worker.values.accessToken.Set(FetchToken(worker.context, 1));
    worker.values.imageBytes.Set(Capture());
    for (auto _ : state) RecognitionJob(worker.context, kImageMode);
    state.counters["lines"] = static_cast<double>(worker.window.Appends().size()) /
                              static_cast<double>(state.iterations());
}

BENCHMARK(BM_EncodeCapture)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadCannedAnswer)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HttpsExchange)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ClientOwnCost)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_FullRoundTrip)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

// Prints the runs as usual and remembers each one's mean real time in seconds.
class ShareReporter : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            seconds_[run.run_name.function_name] =
                run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
        }
    }
    void PrintShare() const {
        const double own = Seconds("BM_ClientOwnCost");
        const double whole = Seconds("BM_FullRoundTrip");
        const double exchange = Seconds("BM_HttpsExchange");
        if (own <= 0 || whole <= 0) return;
        std::printf(
            "client's own cost %.1f ms (HTTPS exchange %.1f ms of it) of a %.1f ms round trip: "
            "%.1f%% (goal: under 5%%)\n",
            own * 1e3, exchange * 1e3, whole * 1e3, 100 * own / whole);
    }

  private:
    double Seconds(const std::string& name) const {
        const auto it = seconds_.find(name);
        return it == seconds_.end() ? 0 : it->second;
    }

    std::map<std::string, double> seconds_;
};

}  // namespace
}  // namespace vt

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    vt::ShareReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintShare();
    benchmark::Shutdown();
}
