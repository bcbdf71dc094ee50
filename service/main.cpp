// veltrace-ocrd: the local OCR service. Speaks the cloud OCR service's token and recognition
// protocol over HTTPS on 127.0.0.1, with Tesseract behind it.

#include <pthread.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "service/engine_pool.h"
#include "service/image_decode.h"
#include "service/options.h"
#include "service/recognition_endpoint.h"
#include "service/server.h"
#include "service/service_log.h"
#include "service/token_issuer.h"
#include "service/token_key.h"

namespace {

using namespace vt::ocrd;

// One recognition may take this long; a picture that needs more gets an internal error.
constexpr std::chrono::seconds kRecognitionBudget{60};

// Each request runs on one thread with its own engine; OpenMP threads inside the engine would
// only compete with the other requests. OpenMP reads OMP_THREAD_LIMIT when it is loaded, before
// main runs, so the variable is set and the program started again.
void RestartWithSingleThreadedEngines(char** argv) {
    const char* limit = std::getenv("OMP_THREAD_LIMIT");
    if (limit != nullptr && std::string_view(limit) == "1") return;
    setenv("OMP_THREAD_LIMIT", "1", 1);
    execv("/proc/self/exe", argv);
    std::perror("veltrace-ocrd: cannot restart with OMP_THREAD_LIMIT=1");
}

sigset_t StopSignals() {
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    return signals;
}

// Serves until SIGINT or SIGTERM. The signals are blocked in every thread and taken by one
// waiting thread, which stops the server once it runs.
bool ServeUntilSignal(OcrServer& server, const sigset_t& signals) {
    std::atomic<bool> finished = false;
    std::thread waiter([&] {
        int signal = 0;
        sigwait(&signals, &signal);
        while (!finished && !server.IsRunning()) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        if (!finished) server.Stop();
    });
    bool served = server.Serve();
    finished = true;
    pthread_kill(waiter.native_handle(), SIGTERM);  // wakes the waiter when no signal came
    waiter.join();
    return served;
}

int Run(const ServiceOptions& options) {
    // A shell starts background jobs with SIGINT ignored, and whether an ignored signal still
    // reaches sigwait is left open by POSIX; so both get their default disposition back before
    // they are blocked.
    std::signal(SIGINT, SIG_DFL);
    std::signal(SIGTERM, SIG_DFL);
    const sigset_t signals = StopSignals();
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);  // before any thread starts
    std::signal(SIGPIPE, SIG_IGN);
    SilenceImageLibrary();

    TokenIssuer tokens(LoadOrCreateTokenKey(options.tokenKeyFile), options.tokenLifetime);
    EnginePool engines(options.threads, options.languages);
    RecognitionEndpoint recognition(tokens, engines, kRecognitionBudget);
    OcrServer server(options, tokens, recognition);
    int port = server.Bind(options.port);
    if (port < 0) {
        WriteLog("veltrace-ocrd: cannot listen on 127.0.0.1:" + std::to_string(options.port));
        return 1;
    }
    std::printf("listening on https://127.0.0.1:%d\n", port);
    std::fflush(stdout);
    SeparateLogFromLibraries();
    if (!ServeUntilSignal(server, signals)) {
        WriteLog("veltrace-ocrd: serving failed");
        return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    RestartWithSingleThreadedEngines(argv);
    std::string error;
    auto options = ParseOptions(std::vector<std::string_view>(argv + 1, argv + argc), error);
    if (!options) {
        std::fprintf(stderr, "veltrace-ocrd: %s\n%s", error.c_str(), Usage().c_str());
        return 2;
    }
    if (options->help) {
        std::fputs(Usage().c_str(), stdout);
        return 0;
    }
    try {
        return Run(*options);
    } catch (const std::exception& failure) {
        WriteLog(std::string("veltrace-ocrd: ") + failure.what());
        return 1;
    }
}
