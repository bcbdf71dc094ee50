#pragma once
// The secret key that signs access tokens, kept in a file so that tokens outlive the process.

#include <array>
#include <string>

namespace vt::ocrd {

using TokenKey = std::array<unsigned char, 32>;

// The key in `file`. A missing file is first created with fresh random bytes, mode 0600: written
// under a temporary name and then linked into place, so that no reader sees it half written and
// of two services starting at once both end up with the key of the one that came first. Throws
// std::runtime_error when the file cannot be read or created or does not hold exactly the key's
// size in bytes.
TokenKey LoadOrCreateTokenKey(const std::string& file);

}  // namespace vt::ocrd
