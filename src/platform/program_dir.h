#pragma once

#include <filesystem>

namespace vt {

// The directory of the running executable.
std::filesystem::path ProgramDirectory();

}  // namespace vt
