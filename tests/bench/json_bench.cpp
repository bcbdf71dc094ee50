// One recognition job's document work on the sandboxed engine: create and initialise, load a
// 200-line answer, count the lines, read each one, destroy.
#include <benchmark/benchmark.h>

#include <string>

#include "json/json_document.h"
#include "platform/script/sandboxed_script_engine.h"
#include "text/codepage.h"

namespace {

vt::Text Answer(int lines) {
    std::string utf8 = R"({"log_id":1742000000000000000,"words_result_num":)" +
                       std::to_string(lines) + R"(,"words_result":[)";
    for (int i = 0; i < lines; ++i) {
        if (i > 0) utf8 += ",";
        utf8 += R"({"words":"第)" + std::to_string(i) + R"(行 recognised text, 识别结果"})";
    }
    return vt::Utf8ToCp936(utf8 + "]}");
}

void BM_RecognitionJobDocument(benchmark::State& state) {
    const vt::Text answer = Answer(200);
    const vt::ScriptEngineFactory engines = vt::SandboxedScriptEngines();
    std::size_t bytes = 0;
    for (auto _ : state) {
        vt::JsonDocument doc(engines);
        doc.Load(answer);
        const int count = doc.Count("words_result");
        for (int i = 0; i < count; ++i) {
            bytes += doc.GetText("words_result[" + std::to_string(i) + "].words").size();
        }
        doc.Destroy();
    }
    benchmark::DoNotOptimize(bytes);
    state.SetLabel("200 lines, " + std::to_string(answer.size()) + " bytes");
}
BENCHMARK(BM_RecognitionJobDocument)->Unit(benchmark::kMillisecond);

// The engine alone: made with its sandbox, destroyed.
void BM_EngineLifetime(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(vt::MakeSandboxedScriptEngine());
}
BENCHMARK(BM_EngineLifetime)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
