#pragma once
// Cookie texts as the two HTTP clients exchange them with their callers: cookie items
// (name=value) joined by "; ", never with attributes such as path or expiry.

#include <vector>

#include "text/text.h"

namespace vt {

// The cookies that a (normalised) response header block sets, in header order: the first
// name=value of each Set-Cookie line, trimmed, joined by "; ".
Text CollectSetCookies(const Text& responseHeaders);

// The text before the first "=" of a cookie item, trimmed; the whole item trimmed when it has no
// "=".
Text CookieName(const Text& item);

// True when some item's CookieName equals `name` exactly.
bool HasCookieNamed(const std::vector<Text>& items, const Text& name);

// 1-based position of the first element equal to `text`, or -1.
int IndexOfItem(const std::vector<Text>& items, const Text& text);

// The pieces of `text` between `separator`s without exact repeats, in first-seen order, joined
// by `separator`.
Text RemoveDuplicateItems(const Text& text, const Text& separator);

// Updates the caller's cookies with newly set ones. Both texts lose all their spaces (stored
// back); the merged text, stored into `cookies` and returned, lists the new cookies first and
// then the old ones the new text does not name. An item ending in "=deleted" removes its cookie
// and is left out itself.
Text MergeCookies(Text& cookies, Text& newCookies);

}  // namespace vt
