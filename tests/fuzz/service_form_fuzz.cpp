// Feeds the service's parsers of untrusted request data: the form parser, the strict Base64
// decoder (every accepted text must be the canonical encoding of its bytes) and the image
// header readers and BMP decoder that look at the decoded bytes.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "codecs/base64.h"
#include "service/base64_decode.h"
#include "service/bmp_bitfields.h"
#include "service/form.h"
#include "service/image_headers.h"

namespace {

using namespace vt::ocrd;

void CheckForm(std::string_view text) {
    auto fields = ParseForm(text);
    if (!fields) return;
    if (fields->size() > kMaxFormFields) std::abort();
    for (const auto& [name, value] : *fields) {
        if (name.size() + value.size() > text.size()) std::abort();
    }
}

void CheckBase64(std::string_view text) {
    auto bytes = DecodeBase64(text);
    if (bytes && vt::Base64Encode(*bytes) != text) std::abort();
}

void CheckImage(ByteSpan bytes) {
    DetectImageFormat(bytes);
    ReadGifLayout(bytes);
    auto size = ReadBmpSize(bytes);
    auto image = DecodeBitfieldsBmp(bytes);
    if (!image) return;
    if (!size || image->width != size->width || image->height != size->height ||
        image->pixels.size() != static_cast<std::size_t>(size->width * size->height)) {
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    CheckForm(text);
    CheckBase64(text);
    CheckImage(ByteSpan(data, size));
    return 0;
}
