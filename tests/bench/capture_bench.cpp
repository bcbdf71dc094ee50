// The selection overlay's hot paths on Qt's offscreen platform: one redraw after a mouse move
// during a drag (compose and paint) at 1920x1080 and 3840x2160, and the time from StartCapture
// to the overlay's first paint on a 3840x2160 screen.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <optional>

#include "capture/selection_overlay.h"
#include "capture/start_capture.h"
#include "platform/qt/clipboard_qt.h"

namespace {

QImage ScreenOfSize(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x) row[x] = qRgb(x * 7, y * 3, (x ^ y) & 0xFF);
    }
    return image;
}

void SendMouse(QWidget& widget, QEvent::Type type, QPoint at, Qt::MouseButtons buttons) {
    QMouseEvent event(type, at, widget.mapToGlobal(at), Qt::LeftButton, buttons, Qt::NoModifier);
    QApplication::sendEvent(&widget, &event);
}

// Counts the paints of one widget.
struct PaintCounter : QObject {
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        paints += event->type() == QEvent::Paint;
        return false;
    }
};

// A drag is under way; each iteration moves the pointer, which recomposes the overlay and the
// panel, and lets Qt paint the changed areas.
void BM_DragRedraw(benchmark::State& state) {
    const int width = int(state.range(0)), height = int(state.range(1));
    vt::CaptureState captureState;
    vt::QtClipboard clipboard;
    vt::SelectionOverlay overlay(captureState, ScreenOfSize(width, height), clipboard);
    overlay.Open();
    PaintCounter counter;
    overlay.installEventFilter(&counter);
    SendMouse(overlay, QEvent::MouseButtonPress, {300, 300}, Qt::LeftButton);
    QApplication::processEvents();

    int step = 0;
    for (auto _ : state) {
        const QPoint to(width - 300 + step % 97, height - 200 + step % 89);
        ++step;
        SendMouse(overlay, QEvent::MouseMove, to, Qt::LeftButton);
        QApplication::processEvents();
    }
    state.counters["paints/iter"] = benchmark::Counter(double(counter.paints) / step);
    state.SetLabel(std::to_string(width) + "x" + std::to_string(height));
    SendMouse(overlay, QEvent::MouseButtonRelease, {width - 300, height - 200}, Qt::NoButton);
}
BENCHMARK(BM_DragRedraw)->Args({1920, 1080})->Args({3840, 2160})->Unit(benchmark::kMillisecond);

// Notes the first paint of the overlay, then presses ESC on it.
struct FirstPaint : QObject {
    QElapsedTimer clock;
    std::optional<qint64> nanoseconds;
    bool eventFilter(QObject* object, QEvent* event) override {
        if (event->type() == QEvent::Paint && !nanoseconds &&
            object->objectName() == QLatin1String("SelectionOverlay")) {
            nanoseconds = clock.nsecsElapsed();
            QApplication::postEvent(
                object, new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
        }
        return false;
    }
};

// Time to the first paint of one capture; nothing when the overlay was never painted.
std::optional<qint64> CaptureToFirstPaint() {
    FirstPaint first;
    qApp->installEventFilter(&first);
    first.clock.start();
    vt::StartCapture(false, std::nullopt, 0, 0);
    qApp->removeEventFilter(&first);
    return first.nanoseconds;
}

void BM_StartCaptureToFirstPaint(benchmark::State& state) {
    CaptureToFirstPaint();  // warm-up: the first screen read also pays for first-time allocations
    for (auto _ : state) {
        const std::optional<qint64> nanoseconds = CaptureToFirstPaint();
        if (!nanoseconds) {
            state.SkipWithError("the overlay was never painted");
            break;
        }
        state.SetIterationTime(double(*nanoseconds) / 1e9);
    }
    const QSize screen = QGuiApplication::primaryScreen()->size();
    state.SetLabel(std::to_string(screen.width()) + "x" + std::to_string(screen.height()) + " " +
                   QGuiApplication::platformName().toStdString());
}
BENCHMARK(BM_StartCaptureToFirstPaint)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(10);

}  // namespace

// Runs on the offscreen platform with one 3840x2160 screen unless QT_QPA_PLATFORM says otherwise.
int main(int argc, char** argv) {
    QTemporaryDir directory;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        const QString config = directory.filePath(QStringLiteral("screen.json"));
        QFile file(config);
        file.open(QIODevice::WriteOnly);
        file.write(
            R"({"screens": [{"name": "uhd", "x": 0, "y": 0, "width": 3840, "height": 2160}]})");
        file.close();
        qputenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + config).toLocal8Bit());
    }
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
