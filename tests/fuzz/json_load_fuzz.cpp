// Loads arbitrary answers into a document and reads their lines as the recognition job does, on
// the sandboxed engine with short budgets: nothing may crash, hang or grow without bound.
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <string>

#include "json/json_document.h"
#include "platform/script/sandboxed_script_engine.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace std::chrono_literals;
    static const vt::ScriptEngineFactory engines =
        vt::SandboxedScriptEngines({50ms, 200ms, std::size_t{32} << 20});
    vt::JsonDocument doc(engines);
    doc.Load(vt::Text(reinterpret_cast<const char*>(data), size));
    // A hostile answer can make the count anything; the job reads no more lines than the answer
    // could hold.
    const int count = std::min(doc.Count("words_result"), 1000);
    for (int i = 0; i < count; ++i) doc.GetText("words_result[" + std::to_string(i) + "].words");
    doc.Destroy();
    return 0;
}
