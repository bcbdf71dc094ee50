#include "service/random_text.h"

#include <openssl/rand.h>

#include <stdexcept>
#include <vector>

#include "service/hex_text.h"

namespace vt::ocrd {

void FillRandom(std::span<unsigned char> out) {
    if (RAND_bytes(out.data(), static_cast<int>(out.size())) != 1) {
        throw std::runtime_error("the random source failed");
    }
}

std::string RandomHex(std::size_t bytes) {
    std::vector<unsigned char> raw(bytes);
    FillRandom(raw);
    return HexText(raw);
}

std::uint64_t RandomLogId() {
    unsigned char raw[8];
    FillRandom(raw);
    std::uint64_t value = 0;
    for (unsigned char byte : raw) value = (value << 8) | byte;
    return value >> 11;
}

}  // namespace vt::ocrd
