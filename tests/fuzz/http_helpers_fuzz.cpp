// Feeds arbitrary header blocks, cookie texts and URLs to the header and cookie rules and to URL
// splitting: no crash, no hang, and every output made only of the input's bytes (plus the fixed
// separators and defaults the rules add).
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "http/cookie_rules.h"
#include "http/header_rules.h"
#include "http/url_split.h"
#include "text/text_ops.h"

namespace {

using vt::Text;

void Check(bool condition) {
    if (!condition) std::abort();
}

bool IsPartOf(const Text& part, const Text& whole) {
    return whole.find(part) != Text::npos;
}

// Every byte of `output` occurs in `input` or in `extra` (letters compared in lower case).
bool MadeOf(const Text& output, const Text& input, const Text& extra = "") {
    bool present[256] = {};
    auto fold = [](unsigned char c) { return (c >= 'A' && c <= 'Z') ? c + 32 : c; };
    for (unsigned char c : input + extra) present[fold(c)] = true;
    return std::all_of(output.begin(), output.end(),
                       [&](unsigned char c) { return present[fold(c)]; });
}

void HeaderRules(const Text& block, const Text& url, const Text& cookies, bool inet) {
    Check(IsPartOf(vt::HeaderName(block), block));
    Check(IsPartOf(vt::HeaderValue(block), block));

    Text completed = block;
    vt::CompleteRequestHeaders(completed, url, cookies,
                               inet ? vt::HeaderClient::kInet : vt::HeaderClient::kRequestObject);
    Check(completed.starts_with(block));

    const Text normalised = vt::NormaliseSetCookie(block);
    Check(normalised.size() == block.size());
    Check(vt::Find(normalised, block, 1, true) == (block.empty() ? -1 : 1));
}

void CookieRules(const Text& headers, const Text& old, const Text& fresh) {
    const Text collected = vt::CollectSetCookies(headers);
    Check(collected.size() <= headers.size());
    Check(MadeOf(collected, headers, "; "));

    Text cookies = old;
    Text newCookies = fresh;
    const Text merged = vt::MergeCookies(cookies, newCookies);
    Check(merged == cookies);
    Check(newCookies == vt::RemoveAllSpaces(fresh));
    Check(MadeOf(merged, old + fresh, "; "));
    Check(vt::RemoveDuplicateItems(old, fresh).size() <= old.size());
}

void UrlSplitting(const Text& url, bool mainDomainOnly, bool keepPort, int extraLevels) {
    Check(MadeOf(vt::UrlHost(url), url));
    Check(MadeOf(vt::UrlHost(url, mainDomainOnly, keepPort), url, "."));
    Check(MadeOf(vt::UrlHost(url, mainDomainOnly, keepPort, extraLevels), url));
    Check(vt::UrlPort(url) >= 0);
    const Text path = vt::UrlPath(url);
    Check(path == "/" || (path.starts_with("/") && url.ends_with(path)));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    const bool flagA = input.ConsumeBool();
    const bool flagB = input.ConsumeBool();
    const int levels = input.ConsumeIntegral<int>();
    const Text first = input.ConsumeRandomLengthString(4096);
    const Text second = input.ConsumeRandomLengthString(4096);
    const Text third = input.ConsumeRemainingBytesAsString();

    HeaderRules(first, second, third, flagA);
    CookieRules(first, second, third);
    UrlSplitting(first, flagA, flagB, levels);
    return 0;
}
