#include "service/form.h"

namespace vt::ocrd {
namespace {

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// Decodes one name or value; false for a malformed escape.
bool DecodeComponent(std::string_view in, std::string& out) {
    out.clear();
    out.reserve(in.size());
    for (std::size_t i = 0; i < in.size(); ++i) {
        char c = in[i];
        if (c == '+') {
            out.push_back(' ');
        } else if (c != '%') {
            out.push_back(c);
        } else {
            if (in.size() - i < 3) return false;
            int high = HexValue(in[i + 1]);
            int low = HexValue(in[i + 2]);
            if (high < 0 || low < 0) return false;
            out.push_back(static_cast<char>(high * 16 + low));
            i += 2;
        }
    }
    return true;
}

}  // namespace

std::optional<FormFields> ParseForm(std::string_view text) {
    FormFields fields;
    while (!text.empty()) {
        std::size_t end = text.find('&');
        std::string_view field = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (field.empty()) continue;
        if (fields.size() == kMaxFormFields) return std::nullopt;
        std::size_t equals = field.find('=');
        std::string_view name = field.substr(0, equals);
        std::string_view value =
            equals == std::string_view::npos ? std::string_view() : field.substr(equals + 1);
        auto& [decodedName, decodedValue] = fields.emplace_back();
        if (!DecodeComponent(name, decodedName) || !DecodeComponent(value, decodedValue)) {
            return std::nullopt;
        }
    }
    return fields;
}

const std::string* FindField(const FormFields& fields, std::string_view name) {
    for (const auto& [fieldName, value] : fields) {
        if (fieldName == name) return &value;
    }
    return nullptr;
}

}  // namespace vt::ocrd
