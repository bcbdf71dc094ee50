#include "text/codepage.h"

#include <iconv.h>

#include <cerrno>
#include <cstring>

#include "text/text_ops.h"

namespace vt {
namespace {

// One iconv descriptor per thread and direction; iconv descriptors are not thread-safe.
class Converter {
  public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Converter() {
        if (cd_ != reinterpret_cast<iconv_t>(-1)) iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts `in`; an input sequence that cannot be converted is replaced by `replacement`
    // (in the target encoding) and skipped by `skipLength(in, offset)` bytes.
    template <typename SkipLength>
    std::string Convert(std::string_view in, std::string_view replacement, SkipLength skipLength) {
        std::string out;
        if (in.empty() || cd_ == reinterpret_cast<iconv_t>(-1)) return out;
        out.resize(in.size() * 2 + 16);
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        char* src = const_cast<char*>(in.data());
        size_t srcLeft = in.size();
        size_t written = 0;
        while (srcLeft > 0) {
            char* dst = out.data() + written;
            size_t dstLeft = out.size() - written;
            size_t rc = iconv(cd_, &src, &srcLeft, &dst, &dstLeft);
            written = out.size() - dstLeft;
            if (rc != static_cast<size_t>(-1)) break;
            if (errno == E2BIG || dstLeft < replacement.size()) {
                out.resize(out.size() * 2);
                continue;
            }
            // EILSEQ or EINVAL: an unconvertible or incomplete sequence.
            out.replace(written, replacement.size(), replacement);
            written += replacement.size();
            size_t skip = std::min(srcLeft, skipLength(src, srcLeft));
            src += skip;
            srcLeft -= skip;
            iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        }
        out.resize(written);
        return out;
    }

  private:
    iconv_t cd_;
};

size_t Utf8SequenceLength(const char* at, size_t left) {
    unsigned char lead = static_cast<unsigned char>(at[0]);
    size_t length = lead < 0xC0 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    // Skip the whole sequence only as far as its continuation bytes are really there.
    for (size_t i = 1; i < length; ++i) {
        if (i >= left) return left;
        if ((static_cast<unsigned char>(at[i]) & 0xC0) != 0x80) return i;
    }
    return length;
}

size_t Cp936SequenceLength(const char* at, size_t left) {
    unsigned char lead = static_cast<unsigned char>(at[0]);
    if (lead < 0x80 || left < 2) return 1;
    unsigned char trail = static_cast<unsigned char>(at[1]);
    return (trail >= 0x40 && trail != 0x7F && trail != 0xFF) ? 2 : 1;
}

size_t Utf16UnitLength(const char*, size_t) {
    return 2;
}

constexpr const char* kCp936 = "CP936";

std::string_view Utf16Question() {
    static const char16_t question = u'?';
    return std::string_view(reinterpret_cast<const char*>(&question), 2);
}

}  // namespace

std::string Cp936ToUtf8(std::string_view text) {
    if (IsAscii(text)) return std::string(text);
    thread_local Converter converter("UTF-8", kCp936);
    return converter.Convert(text, "?", Cp936SequenceLength);
}

Text Utf8ToCp936(std::string_view utf8) {
    if (IsAscii(utf8)) return Text(utf8);
    thread_local Converter converter(kCp936, "UTF-8");
    return converter.Convert(utf8, "?", Utf8SequenceLength);
}

std::u16string Cp936ToUtf16(std::string_view text) {
    thread_local Converter converter("UTF-16LE", kCp936);
    std::string raw = converter.Convert(text, Utf16Question(), Cp936SequenceLength);
    std::u16string result(raw.size() / 2, u'\0');
    std::memcpy(result.data(), raw.data(), result.size() * 2);
    return result;
}

Text Utf16ToCp936(std::u16string_view utf16) {
    thread_local Converter converter(kCp936, "UTF-16LE");
    std::string_view raw(reinterpret_cast<const char*>(utf16.data()), utf16.size() * 2);
    return converter.Convert(raw, "?", Utf16UnitLength);
}

}  // namespace vt
