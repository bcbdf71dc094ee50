#pragma once
// Conversions between code page 936, UTF-8 and UTF-16 (glibc iconv). Bytes or characters that
// cannot be converted become '?'; a conversion never fails and never truncates.

#include <string>
#include <string_view>

#include "text/text.h"

namespace vt {

std::string Cp936ToUtf8(std::string_view text);
Text Utf8ToCp936(std::string_view utf8);
std::u16string Cp936ToUtf16(std::string_view text);
Text Utf16ToCp936(std::u16string_view utf16);

}  // namespace vt
