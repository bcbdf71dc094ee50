#pragma once
// The CA certificates the adapters trust. Internal to platform/curl.

#include <curl/curl.h>

#include <string>

namespace vt::curl {

// Makes `easy` trust the certificates of the system bundle at `systemBundle` and those of
// `extraCaFile`; unreadable files add nothing, and with no certificate at all curl's own default
// store applies. Verification itself is the caller's setting.
void TrustCas(CURL* easy, const std::string& systemBundle, const std::string& extraCaFile);

}  // namespace vt::curl
