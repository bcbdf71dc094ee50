#pragma once
// Unpredictable values from the system's cryptographic random source.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace vt::ocrd {

// Fills `out` with random bytes; throws std::runtime_error if the source fails.
void FillRandom(std::span<unsigned char> out);

// 2 x `bytes` lower-case hexadecimal digits; throws std::runtime_error if the source fails.
std::string RandomHex(std::size_t bytes);

// A number below 2^53, so that JSON readers that hold numbers as doubles keep it exact.
std::uint64_t RandomLogId();

}  // namespace vt::ocrd
