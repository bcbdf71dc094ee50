#pragma once

#include "text/text.h"

namespace vt {

// The text between the first `startMarker` at or after `startPosition` and the first `endMarker`
// after it; empty text when either is missing. In both markers "#引号" stands for a double quote.
Text TextBetween(const Text& text, const Text& startMarker, const Text& endMarker,
                 int startPosition = 0, bool ignoreCase = false);

}  // namespace vt
