// The start routine of veltrace: the process-wide values, the main window, the event loop and
// the release routine.

#include <QApplication>
#include <QFontDatabase>
#include <cstdio>
#include <cstdlib>

#include "app/main_window.h"
#include "capture/bmp_result.h"
#include "capture/capture_state.h"
#include "capture/start_capture.h"
#include "http/inet_client.h"
#include "platform/curl/curl_downloader.h"
#include "platform/curl/curl_inet_api.h"
#include "platform/curl/curl_request_object.h"
#include "platform/large_buffers.h"
#include "platform/program_dir.h"
#include "platform/qt/clipboard_handover.h"
#include "platform/qt/clipboard_qt.h"
#include "platform/qt/gui_thread.h"
#include "platform/script/sandboxed_script_engine.h"
#include "recognition/recognition_job.h"
#include "token/token_store.h"
#include "token/worker_context.h"

namespace vt {
namespace {

// How long the release routine waits for a clipboard manager to take the clipboard text.
constexpr int kClipboardHandOverMs = 3000;

void UseChineseFont() {
    const QString family = QStringLiteral("Noto Sans CJK SC");
    if (!QFontDatabase::families().contains(family)) return;
    QFont font = QApplication::font();
    font.setFamily(family);
    QApplication::setFont(font);
}

// The values and adapters that worker threads use. They are made once and never freed: a
// detached worker may still use them while the process ends.
struct ProcessWide {
    ProcessValues values;
    QtClipboard clipboard;
    CurlDownloader downloader;
    CurlRequestObjectFactory requestObjects;
    CurlInetApi inet;
    WorkerContext context;
};

ShellServices WireShell(ProcessWide& shared) {
    ShellServices services;
    services.values = &shared.values;
    services.clipboard = &shared.clipboard;
    services.resultDirectory = ProgramDirectory();
    services.startCapture = [] { return StartCapture(false, std::nullopt, 0, 0); };
    services.capturedBmp = [clipboard = &shared.clipboard] {
        return ClipboardDibToBmp(*clipboard);
    };
    services.recognitionJob = [context = &shared.context](int mode) {
        RecognitionJob(*context, mode);
    };
    services.fetchAddress = [inet = &shared.inet](const Text& url) {
        return InetClient(*inet, url);
    };
    services.checkToken = [context = &shared.context] { CheckToken(*context); };
    return services;
}

// Runs once the event loop has ended: workers can no longer reach a widget, the windows close,
// the clipboard text is handed to a clipboard manager, and the shared values are emptied. The
// process then ends at once with code 0, without running destructors that a detached worker
// could race with.
[[noreturn]] void Release(ProcessWide& shared) {
    ShutDownGuiCalls();
    QApplication::closeAllWindows();
    HandClipboardToManager(kClipboardHandOverMs);
    shared.values.accessToken.Set({});
    shared.values.deviceId.Set({});
    shared.values.imageBytes.Set({});
    ReleaseCaptureState();
    std::fflush(nullptr);
    std::_Exit(0);
}

}  // namespace
}  // namespace vt

int main(int argc, char** argv) {
    using namespace vt;
    KeepLargeBuffersOnHeap();
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    UseChineseFont();

    auto* shared = new ProcessWide;
    CreateCaptureState();
    auto* window = new MainWindow(WireShell(*shared));
    WorkerContext& context = shared->context;
    context.window = &window->WorkerServices();
    context.values = &shared->values;
    context.downloader = &shared->downloader;
    context.requestObjects = &shared->requestObjects;
    context.scriptEngines = SandboxedScriptEngines();
    context.programDirectory = ProgramDirectory();
    // Destroying the main window ends the program.
    QObject::connect(window, &MainWindow::destroyRequested, [] {
        ShutDownGuiCalls();
        QCoreApplication::exit(0);
    });

    window->show();
    window->OnCreated();
    QApplication::exec();
    Release(*shared);
}
