// Reads arbitrary INI text, then writes an entry into it and reads it back: the value written
// must come back (without its surrounding blanks), and writing it again must change nothing.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/ini_file.h"

namespace {

// The next NUL-separated piece of the input, or the rest.
std::string_view NextPiece(std::string_view& input) {
    const size_t end = input.find('\0');
    const std::string_view piece = input.substr(0, end);
    input = end == std::string_view::npos ? std::string_view() : input.substr(end + 1);
    return piece;
}

std::string_view TrimBlanks(std::string_view text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

}  // namespace

// Input: content NUL section NUL key NUL value.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::string_view content = NextPiece(input);
    const std::string_view section = NextPiece(input);
    const std::string_view key = NextPiece(input);
    const std::string_view value = NextPiece(input);

    vt::IniValue(content, section, key);
    if (!vt::IsStorableIniEntry(section, key, value)) return 0;
    const std::string written = vt::WithIniValue(content, section, key, value);
    if (vt::IniValue(written, section, key) != TrimBlanks(value)) std::abort();
    if (vt::WithIniValue(written, section, key, value) != written) std::abort();
    return 0;
}
