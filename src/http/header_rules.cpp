#include "http/header_rules.h"

#include "text/text_ops.h"

namespace vt {

Text HeaderName(const Text& line) {
    int colon = Find(line, ":");
    return colon == -1 ? Text() : Trim(Left(line, colon - 1));
}

Text HeaderValue(const Text& line) {
    int colon = Find(line, ":");
    return colon == -1 ? Text() : Trim(std::string_view(line).substr(colon));
}

void CompleteRequestHeaders(Text& headers, const Text& url, const Text& cookies,
                            HeaderClient client) {
    auto addUnlessPresent = [&headers](std::string_view name, const Text& value) {
        if (Contains(headers, Text(name) + ":")) return;
        if (!headers.empty()) headers += "\r\n";
        headers += Text(name) + ": " + value;
    };
    addUnlessPresent("Accept", "*/*");
    addUnlessPresent("Referer", url);
    addUnlessPresent("Accept-Language", "zh-cn");
    if (client == HeaderClient::kRequestObject) addUnlessPresent("User-Agent", kDefaultUserAgent);
    addUnlessPresent("Content-Type", "application/x-www-form-urlencoded");
    if (client == HeaderClient::kInet && !cookies.empty()) headers += "\r\nCookie: " + cookies;
}

Text NormaliseSetCookie(const Text& responseHeaders) {
    return ReplaceAll(responseHeaders, "Set-Cookie", "Set-Cookie", true);
}

}  // namespace vt
