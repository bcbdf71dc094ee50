#pragma once

#include "text/text.h"

namespace vt {

// Standard Base64 (RFC 4648 section 4) with "=" padding and no line breaks.
Text Base64Encode(const Bytes& data);

}  // namespace vt
