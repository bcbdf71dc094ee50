#pragma once
// Settings shared by the libcurl adapters. The defaults are the production ones; tests inject a
// CA of their own, a small body cap and short time-outs.

#include <chrono>
#include <cstddef>
#include <string>

#include "veltrace_config.h"

namespace vt {

struct CurlSettings {
    // Trusted besides the system store; a missing file adds nothing.
    std::string extraCaFile = config::kExtraCaFile;
    // A response body beyond this makes the exchange fail.
    std::size_t maxBodyBytes = std::size_t{64} << 20;
    // Limit for resolving the name, connecting and the TLS handshake.
    std::chrono::milliseconds connectTimeout{15000};
    // An exchange fails when no byte moves for this long (a dead or stalled server).
    std::chrono::seconds stallTimeout{30};
};

}  // namespace vt
