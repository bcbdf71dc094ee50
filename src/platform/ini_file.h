#pragma once
// INI files in the private-profile format: "[section]" header lines, "key=value" lines, ";"
// comment lines. Section and key names match without regard to ASCII case (two-byte characters
// compare exactly); names and values are read with surrounding spaces and tabs removed. Files are
// written with CR LF line ends; LF-only files are read as well.

#include <filesystem>
#include <string>
#include <string_view>

#include "text/text.h"

namespace vt {

// The value of `key` in the first `section` that holds it; empty text when missing.
Text IniValue(std::string_view content, std::string_view section, std::string_view key);

// True when the pair can be stored and read back: non-empty names without line breaks or
// surrounding spaces, a section name without "]", a key without "=" that does not begin with
// "[" or ";", and a value without line breaks.
bool IsStorableIniEntry(std::string_view section, std::string_view key, std::string_view value);

// `content` with `key` of `section` set to `value`: the key's line is replaced where IniValue
// would find it, a missing key is added at the end of the first matching section, a missing
// section is added at the end. All other lines stay as they were. Expects a storable entry.
std::string WithIniValue(std::string_view content, std::string_view section, std::string_view key,
                         std::string_view value);

// IniValue of the file; a missing or unreadable file reads as empty.
Text ReadIniValue(const std::filesystem::path& file, std::string_view section,
                  std::string_view key);

// Sets the value in the file, creating the file, the section and the key when missing. The file
// is replaced atomically (a temporary file in the same directory, synced, then renamed over it),
// so a failure leaves the old file whole. Returns false when nothing was written: an entry that
// is not storable, an existing file that cannot be read, or a failed write.
bool WriteIniValue(const std::filesystem::path& file, std::string_view section,
                   std::string_view key, std::string_view value);

}  // namespace vt
