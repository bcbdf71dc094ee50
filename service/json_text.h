#pragma once
// JSON string literals for the answers the service writes.

#include <string>
#include <string_view>

namespace vt::ocrd {

// Appends `utf8` to `out` as a quoted JSON string: quote, backslash and control characters are
// escaped, every other byte is copied as it is.
void AppendJsonString(std::string& out, std::string_view utf8);

}  // namespace vt::ocrd
