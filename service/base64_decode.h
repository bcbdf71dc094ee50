#pragma once
// Strict Base64 decoding (RFC 4648 section 4): the standard alphabet, "=" padding to a multiple
// of four characters, nothing else.

#include <optional>
#include <string_view>

#include "text/text.h"

namespace vt::ocrd {

// The bytes that `text` encodes. Gives nothing for any other character (line breaks and spaces
// included), a length that is not a multiple of four, misplaced padding, or padding bits that are
// not zero; so every accepted text is the one canonical encoding of its bytes.
std::optional<Bytes> DecodeBase64(std::string_view text);

}  // namespace vt::ocrd
