#include "service/json_text.h"

namespace vt::ocrd {

void AppendJsonString(std::string& out, std::string_view utf8) {
    static constexpr char kHex[] = "0123456789abcdef";
    out.push_back('"');
    for (char c : utf8) {
        auto byte = static_cast<unsigned char>(c);
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if (byte < 0x20) {
                    out += "\\u00";
                    out.push_back(kHex[byte >> 4]);
                    out.push_back(kHex[byte & 15]);
                } else {
                    out.push_back(c);
                }
        }
    }
    out.push_back('"');
}

}  // namespace vt::ocrd
