#include "token/worker_context.h"

#include "text/codepage.h"
#include "veltrace_config.h"

namespace vt {

Text ServiceEndpoint::Address(std::string_view pathAndQuery) const {
    return scheme + "://" + host + ":" + std::to_string(port) + std::string(pathAndQuery);
}

ServiceEndpoint ConfiguredServiceEndpoint() {
    return {config::kServiceScheme, config::kServiceHost, config::kServicePort};
}

void WorkerContext::Tell(std::string_view text, MessageIcon icon, std::string_view title) const {
    window->ShowMessage(Utf8ToCp936(text), icon, Utf8ToCp936(title));
}

}  // namespace vt
