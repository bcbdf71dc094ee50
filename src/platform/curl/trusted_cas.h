#pragma once
// The CA certificates the adapters trust. Internal to platform/curl.

#include <string>

namespace vt::curl {

// The PEM text of the system bundle at `systemBundle` followed by that of `extraCaFile`;
// unreadable files add nothing.
std::string TrustedCaPem(const std::string& systemBundle, const std::string& extraCaFile);

}  // namespace vt::curl
