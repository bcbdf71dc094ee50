// Re-encoding as the capture command does it: a screen-capture BMP to JPEG, at a typical
// selection size and at full-screen size; GIF and PNG for comparison.

#include <benchmark/benchmark.h>

#include <QBuffer>
#include <QImage>
#include <QPainter>

#include "imaging/reencode.h"

namespace {

// A BMP that looks like a screen region: light background, dark text-like strokes.
vt::Bytes ScreenLikeBmp(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(0xF0F0F0);
    QPainter painter(&image);
    painter.setPen(QColor(0x202020));
    for (int y = 12; y < height; y += 18) {
        for (int x = 6; x < width - 8; x += 9) painter.drawLine(x, y, x + 5 - (x % 3), y - 9);
    }
    painter.end();
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "bmp");
    return vt::Bytes(data.begin(), data.end());
}

void BM_Reencode(benchmark::State& state) {
    const vt::Bytes bmp =
        ScreenLikeBmp(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    const int format = static_cast<int>(state.range(2));
    size_t outSize = 0;
    for (auto _ : state) {
        vt::Bytes out;
        benchmark::DoNotOptimize(vt::ReencodeImage(bmp, format, {}, &out));
        outSize = out.size();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bmp.size()));
    state.counters["in_KiB"] = static_cast<double>(bmp.size()) / 1024;
    state.counters["out_KiB"] = static_cast<double>(outSize) / 1024;
}
BENCHMARK(BM_Reencode)
    ->ArgNames({"w", "h", "format"})
    ->Args({600, 200, vt::kJpeg})
    ->Args({1920, 1080, vt::kJpeg})
    ->Args({1920, 1080, vt::kPng})
    ->Args({1920, 1080, vt::kGif})
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
