#pragma once
// Tidying of the text lines the OCR engine gives.

#include <string>
#include <string_view>

namespace vt::ocrd {

// `line` (UTF-8) without white space at either end and without the spaces the engine puts
// between two Chinese or Japanese characters or their punctuation ("识 别 ，" -> "识别，").
// Spaces between words in other scripts, and between such a character and a Latin word, stay.
std::string CleanLine(std::string_view line);

}  // namespace vt::ocrd
