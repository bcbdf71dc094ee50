#pragma once
// A WorkerContext on the real adapters for tests of the token store and the recognition job: a
// headless main window, a temporary program directory, and HTTPS clients that trust the test CA.

#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <string>

#include "platform/curl/curl_downloader.h"
#include "platform/curl/curl_request_object.h"
#include "platform/process_values.h"
#include "platform/script/sandboxed_script_engine.h"
#include "support/recording_main_window.h"
#include "support/test_certificates.h"
#include "token/worker_context.h"

namespace vt::test {

inline CurlSettings TestCurlSettings() {
    CurlSettings settings;
    settings.extraCaFile = SharedTestCertificates().CaFile();
    return settings;
}

class WorkerTestContext {
  public:
    // Points the context at the service on 127.0.0.1:`port`.
    explicit WorkerTestContext(int port) {
        static std::atomic<int> counter{0};
        directory_ =
            std::filesystem::temp_directory_path() /
            ("veltrace-worker-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
        std::filesystem::remove_all(directory_);
        std::filesystem::create_directories(directory_);
        context.window = &window;
        context.values = &values;
        context.downloader = &downloader_;
        context.requestObjects = &requestObjects_;
        context.scriptEngines = SandboxedScriptEngines();
        context.programDirectory = directory_;
        context.service = {"https", "127.0.0.1", port};
        values.deviceId.Set(Text(kDeviceIdentifier));
    }
    ~WorkerTestContext() {
        window.JoinThreads();
        std::filesystem::remove_all(directory_);
    }
    WorkerTestContext(const WorkerTestContext&) = delete;
    WorkerTestContext& operator=(const WorkerTestContext&) = delete;

    std::filesystem::path LogIni() const { return directory_ / "log.ini"; }

    RecordingMainWindow window;
    ProcessValues values;
    WorkerContext context;

  private:
    std::filesystem::path directory_;
    CurlDownloader downloader_{TestCurlSettings()};
    CurlRequestObjectFactory requestObjects_{TestCurlSettings()};
};

}  // namespace vt::test
