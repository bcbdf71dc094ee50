#include "service/random_text.h"

#include <openssl/rand.h>

#include <stdexcept>
#include <vector>

namespace vt::ocrd {
namespace {

void FillRandom(unsigned char* out, std::size_t size) {
    if (RAND_bytes(out, static_cast<int>(size)) != 1) {
        throw std::runtime_error("the random source failed");
    }
}

}  // namespace

std::string RandomHex(std::size_t bytes) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::vector<unsigned char> raw(bytes);
    FillRandom(raw.data(), raw.size());
    std::string text;
    text.reserve(bytes * 2);
    for (unsigned char byte : raw) {
        text.push_back(kHex[byte >> 4]);
        text.push_back(kHex[byte & 15]);
    }
    return text;
}

std::uint64_t RandomLogId() {
    unsigned char raw[8];
    FillRandom(raw, sizeof raw);
    std::uint64_t value = 0;
    for (unsigned char byte : raw) value = (value << 8) | byte;
    return value >> 11;
}

}  // namespace vt::ocrd
