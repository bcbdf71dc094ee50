// Base64 and URL encoding of whole-screen BMPs, each beside memcpy of the same input.
#include <benchmark/benchmark.h>

#include <cstring>
#include <random>

#include "codecs/base64.h"
#include "codecs/url_encode.h"
#include "platform/large_buffers.h"

namespace {

// A 32-bit BMP of the given screen size is 54 + 4*w*h bytes; random pixels defeat any shortcut.
vt::Bytes ScreenBmp(int width, int height) {
    vt::Bytes data(54 + size_t(4) * width * height);
    std::mt19937 rng(1);
    for (auto& b : data) b = static_cast<std::uint8_t>(rng());
    return data;
}

const vt::Bytes& Input(int which) {
    static const vt::Bytes fullHd = ScreenBmp(1920, 1080);
    static const vt::Bytes uhd = ScreenBmp(3840, 2160);
    return which == 0 ? fullHd : uhd;
}

void SetBytes(benchmark::State& state, size_t bytes) {
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
    state.SetLabel(state.range(0) == 0 ? "1920x1080 BMP" : "3840x2160 BMP");
}

void BM_Memcpy(benchmark::State& state) {
    const vt::Bytes& in = Input(static_cast<int>(state.range(0)));
    vt::Bytes out(in.size());
    for (auto _ : state) {
        std::memcpy(out.data(), in.data(), in.size());
        benchmark::DoNotOptimize(out.data());
        benchmark::ClobberMemory();
    }
    SetBytes(state, in.size());
}

void BM_Base64Encode(benchmark::State& state) {
    const vt::Bytes& in = Input(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        vt::Text out = vt::Base64Encode(in);
        benchmark::DoNotOptimize(out.data());
    }
    SetBytes(state, in.size());
}

// The recognition request's path: URL encoding of the Base64 text with both switches on.
void BM_UrlEncodeBase64Text(benchmark::State& state) {
    const vt::Text text = vt::Base64Encode(Input(static_cast<int>(state.range(0))));
    for (auto _ : state) {
        vt::Text out = vt::UrlEncode(text, true, true);
        benchmark::DoNotOptimize(out.data());
    }
    SetBytes(state, text.size());
}

BENCHMARK(BM_Memcpy)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Base64Encode)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UrlEncodeBase64Text)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace

// The program keeps large buffers on the heap; measure under the same allocator settings.
int main(int argc, char** argv) {
    vt::KeepLargeBuffersOnHeap();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
