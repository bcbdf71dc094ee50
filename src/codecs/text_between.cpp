#include "codecs/text_between.h"

#include "text/text_ops.h"

namespace vt {
namespace {

// "#引号" in code page 936.
constexpr std::string_view kQuotePlaceholder = "#\xD2\xFD\xBA\xC5";

}  // namespace

Text TextBetween(const Text& text, const Text& startMarker, const Text& endMarker,
                 int startPosition, bool ignoreCase) {
    const Text start = ReplaceAll(startMarker, kQuotePlaceholder, "\"");
    const Text end = ReplaceAll(endMarker, kQuotePlaceholder, "\"");
    int p = Find(text, start, startPosition, ignoreCase);
    if (p != -1) p += static_cast<int>(start.size());
    int q = Find(text, end, p, ignoreCase);
    if (p == -1 || q == -1 || q <= p) return Text();
    return text.substr(static_cast<size_t>(p) - 1, static_cast<size_t>(q - p));
}

}  // namespace vt
