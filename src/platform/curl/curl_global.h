#pragma once
// libcurl's process-wide initialisation. Internal to platform/curl.

namespace vt::curl {

// Runs curl_global_init once per process; every use of libcurl calls this first.
void EnsureCurlGlobalInit();

}  // namespace vt::curl
