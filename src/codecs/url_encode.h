#pragma once

#include "text/text.h"

namespace vt {

// Percent-encodes every byte as %XX (upper-case hex). With `keepUnreserved`, ASCII letters,
// digits, "-" and "." stay as they are. With `toUtf8`, the UTF-8 form of the text is encoded
// instead of its code-page-936 bytes.
Text UrlEncode(const Text& text, bool keepUnreserved = false, bool toUtf8 = false);

}  // namespace vt
