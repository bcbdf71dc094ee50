#pragma once
// What the worker routines (the token store and the recognition job) need from the rest of the
// program. The application wires the real services; tests wire headless ones. Every pointer must
// stay valid for as long as any worker thread may run, which in the program is until it ends.

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

#include "platform/downloader.h"
#include "platform/main_window_services.h"
#include "platform/process_values.h"
#include "platform/request_object.h"
#include "platform/script_engine.h"
#include "text/text.h"
#include "token/date_stamp.h"

namespace vt {

// Where the OCR service listens. The program always uses the build-time setting; tests point it
// at a service of their own.
struct ServiceEndpoint {
    std::string scheme;
    std::string host;
    int port = 0;

    // scheme://host:port followed by `pathAndQuery`.
    Text Address(std::string_view pathAndQuery) const;
};

// The service named by the build-time settings.
ServiceEndpoint ConfiguredServiceEndpoint();

struct WorkerContext {
    MainWindowServices* window = nullptr;
    ProcessValues* values = nullptr;
    Downloader* downloader = nullptr;                // token requests
    RequestObjectFactory* requestObjects = nullptr;  // recognition requests
    ScriptEngineFactory scriptEngines;               // JSON documents of recognition answers
    std::function<LocalDate()> today = LocalToday;
    std::filesystem::path programDirectory;  // holds log.ini
    ServiceEndpoint service = ConfiguredServiceEndpoint();

    // Shows a modal message and waits until it has been confirmed; text and title are UTF-8.
    void Tell(std::string_view text, MessageIcon icon, std::string_view title) const;
};

}  // namespace vt
