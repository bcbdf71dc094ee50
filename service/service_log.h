#pragma once
// The service's own messages: one line per request and the start-up and shut-down notes.

#include <string_view>

namespace vt::ocrd {

// From here on, log lines go to a copy of stderr and whatever else is written to stderr goes to
// /dev/null: the image libraries and the OCR engine print their own notes there for every bad
// image, which would break the one-line-per-request log.
void SeparateLogFromLibraries();

// Writes `line` and a line break to the log in one call, so that lines never interleave.
void WriteLog(std::string_view line);

}  // namespace vt::ocrd
