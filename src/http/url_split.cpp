#include "http/url_split.h"

#include <algorithm>
#include <climits>

#include "codecs/text_between.h"
#include "text/text_ops.h"

namespace vt {
namespace {

// ASCII letters of single-byte characters in lower case; two-byte characters stay as they are.
Text LowerCase(std::string_view text) {
    Text result(text);
    for (size_t i = 0; i < result.size(); ++i) {
        const auto byte = static_cast<unsigned char>(result[i]);
        if (IsLeadByte(byte)) {
            ++i;
        } else if (byte >= 'A' && byte <= 'Z') {
            result[i] = static_cast<char>(byte + 32);
        }
    }
    return result;
}

// Position (from 1) of the last `c` at a character start within the first `limit` - 1 bytes, or
// -1; a limit of -1 gives -1.
int LastBefore(std::string_view text, char c, int limit) {
    int found = -1;
    for (int i = 0; i + 1 < limit && i < static_cast<int>(text.size());) {
        if (text[i] == c) found = i + 1;
        i += IsLeadByte(static_cast<unsigned char>(text[i])) ? 2 : 1;
    }
    return found;
}

// The host (and port) of the lower-cased URL: what lies between the scheme and the next "/".
Text HostWithPort(Text v) {
    if (Right(v, 1) != "/") v += "/";
    if (Left(v, 8) == "https://") return TextBetween(v, "https://", "/");
    if (!Contains(v, "http://")) v = "http://" + v;
    return TextBetween(v, "http://", "/");
}

Text MainDomain(const Text& host) {
    const std::vector<Text> labels = Split(host, ".");
    if (labels.size() < 2) return host;
    return labels[labels.size() - 2] + "." + labels.back();
}

// The last labels of the scheme-less host: n + 2 of them, or n + 1 with mainDomainOnly.
Text HostLevels(Text v, bool mainDomainOnly, int n) {
    v = ReplaceAll(ReplaceAll(v, "http://", ""), "https://", "");
    if (int slash = Find(v, "/"); slash != -1) v = Left(v, slash - 1);
    const int length = static_cast<int>(v.size());
    int p = length;
    for (int i = 0; i < n && p != -1; ++i) p = LastBefore(v, '.', p);
    const int q = LastBefore(v, '.', p);
    if (mainDomainOnly) return q == -1 ? v : Right(v, length - q);
    const int r = LastBefore(v, '.', q);
    return r == -1 ? v : Right(v, length - r);
}

// The leading decimal digits of `text`, 0 when there are none; values beyond int saturate.
int LeadingNumber(std::string_view text) {
    long long value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') break;
        value = std::min<long long>(value * 10 + (c - '0'), INT_MAX);
    }
    return static_cast<int>(value);
}

}  // namespace

bool IsSecureUrl(const Text& url) {
    return LowerCase(Left(url, 5)) == "https";
}

Text UrlHost(const Text& url, bool mainDomainOnly, bool keepPort, std::optional<int> extraLevels) {
    Text v = LowerCase(url);
    if (extraLevels) {
        v = HostLevels(v, mainDomainOnly, *extraLevels);
    } else {
        v = HostWithPort(v);
        if (mainDomainOnly) v = MainDomain(v);
    }
    if (int colon = Find(v, ":"); !keepPort && colon != -1) v = Left(v, colon - 1);
    return v;
}

int UrlPort(const Text& url) {
    const Text host = UrlHost(url, false, true);
    const int colon = LastBefore(host, ':', static_cast<int>(host.size()) + 1);
    if (colon != -1) return LeadingNumber(std::string_view(host).substr(colon));
    return IsSecureUrl(url) ? 443 : 80;
}

Text UrlPath(const Text& url) {
    const int host = Find(url, UrlHost(url), 1, true);
    const int slash = Find(url, "/", host);
    return slash == -1 ? Text("/") : url.substr(slash - 1);
}

}  // namespace vt
