#include "platform/curl/curl_inet_api.h"

#include <algorithm>
#include <map>
#include <mutex>
#include <string_view>

#include "platform/curl/curl_transfer.h"

namespace vt {
namespace {

// What a handle stands for; a child copies what it needs of its parent, so closing a parent
// first leaves no child dangling.
struct Entry {
    enum class Kind { kInternet, kConnection, kRequest } kind = Kind::kInternet;
    std::string agent;
    std::string proxyList;  // empty: direct
    std::string host;
    int port = 0;
    std::string method;
    std::string path;
    std::uint32_t flags = 0;
    curl::TransferResult answer;
    size_t readOffset = 0;
};

bool IsValidHost(std::string_view host) {
    if (host.empty()) return false;
    return std::none_of(host.begin(), host.end(), [](char c) {
        return static_cast<unsigned char>(c) <= 0x20 ||
               std::string_view("/?#@[]\\:").find(c) != std::string_view::npos;
    });
}

// The pieces of `text` between occurrences of `separator`.
std::vector<std::string_view> Pieces(std::string_view text, std::string_view separator) {
    std::vector<std::string_view> pieces;
    for (size_t begin = 0; begin <= text.size();) {
        const size_t end = std::min(text.find(separator, begin), text.size());
        pieces.push_back(text.substr(begin, end - begin));
        begin = end + separator.size();
    }
    return pieces;
}

// The proxy server of a proxy list ("server" for every scheme, or "scheme=server" entries
// separated by spaces or semicolons) for the scheme; empty when none applies.
std::string ProxyFor(std::string list, std::string_view scheme) {
    std::replace(list.begin(), list.end(), ';', ' ');
    std::string any;
    for (std::string_view item : Pieces(list, " ")) {
        const size_t equals = item.find('=');
        if (equals == std::string_view::npos) {
            if (any.empty()) any = item;
        } else if (item.substr(0, equals) == scheme) {
            return std::string(item.substr(equals + 1));
        }
    }
    return any;
}

std::string Trimmed(std::string_view text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return std::string(text.substr(first, text.find_last_not_of(" \t") - first + 1));
}

// Name and value of each line of a CR LF separated header block; lines without a colon are
// left out.
std::vector<std::pair<std::string, std::string>> HeaderFields(std::string_view block) {
    std::vector<std::pair<std::string, std::string>> fields;
    for (std::string_view line : Pieces(block, "\r\n")) {
        const size_t colon = line.find(':');
        if (colon == std::string_view::npos) continue;
        fields.emplace_back(Trimmed(line.substr(0, colon)), Trimmed(line.substr(colon + 1)));
    }
    return fields;
}

}  // namespace

class CurlInetApi::Handles {
  public:
    InetHandle Add(Entry entry) {
        std::lock_guard lock(mutex_);
        const InetHandle handle = next_++;
        entries_.emplace(handle, std::move(entry));
        return handle;
    }

    // A copy of the entry of `handle` when it is of `kind`.
    std::optional<Entry> Get(InetHandle handle, Entry::Kind kind) {
        std::lock_guard lock(mutex_);
        auto it = entries_.find(handle);
        if (it == entries_.end() || it->second.kind != kind) return std::nullopt;
        return it->second;
    }

    // Runs `change` on the request entry of `handle`, if it is still open.
    template <typename Change>
    auto WithRequest(InetHandle handle, Change change) -> decltype(change(std::declval<Entry&>())) {
        std::lock_guard lock(mutex_);
        auto it = entries_.find(handle);
        if (it == entries_.end() || it->second.kind != Entry::Kind::kRequest) return {};
        return change(it->second);
    }

    void Remove(InetHandle handle) {
        std::lock_guard lock(mutex_);
        entries_.erase(handle);
    }

  private:
    std::mutex mutex_;
    std::map<InetHandle, Entry> entries_;
    InetHandle next_ = 1;
};

CurlInetApi::CurlInetApi(CurlSettings settings)
    : settings_(std::move(settings)), handles_(std::make_unique<Handles>()) {}

CurlInetApi::~CurlInetApi() = default;

InetHandle CurlInetApi::InternetOpen(const Text& agent, int accessType, const Text& proxyList,
                                     const Text& /*bypassList*/, std::uint32_t /*flags*/) {
    if (accessType != inet::kOpenTypeDirect && accessType != inet::kOpenTypeProxy) {
        return kNoHandle;
    }
    Entry entry;
    entry.agent = agent;
    if (accessType == inet::kOpenTypeProxy) entry.proxyList = proxyList;
    return handles_->Add(std::move(entry));
}

InetHandle CurlInetApi::InternetConnect(InetHandle internet, const Text& host, int port,
                                        int service) {
    std::optional<Entry> entry = handles_->Get(internet, Entry::Kind::kInternet);
    if (!entry || service != inet::kServiceHttp || !IsValidHost(host) || port < 1 || port > 65535) {
        return kNoHandle;
    }
    entry->kind = Entry::Kind::kConnection;
    entry->host = host;
    entry->port = port;
    return handles_->Add(std::move(*entry));
}

InetHandle CurlInetApi::HttpOpenRequest(InetHandle connection, const Text& method, const Text& path,
                                        const Text& /*version*/, std::uint32_t flags) {
    std::optional<Entry> entry = handles_->Get(connection, Entry::Kind::kConnection);
    if (!entry || !path.starts_with("/") ||
        (method != "GET" && method != "POST" && method != "HEAD")) {
        return kNoHandle;
    }
    entry->kind = Entry::Kind::kRequest;
    entry->method = method;
    entry->path = path;
    entry->flags = flags;
    return handles_->Add(std::move(*entry));
}

bool CurlInetApi::HttpSendRequest(InetHandle request, const Text& headers, const Bytes& body) {
    std::optional<Entry> entry = handles_->Get(request, Entry::Kind::kRequest);
    if (!entry) return false;
    const bool secure = (entry->flags & inet::kFlagSecure) != 0;
    const std::string scheme = secure ? "https" : "http";

    curl::TransferRequest transfer;
    transfer.method = entry->method;
    transfer.url = scheme + "://" + entry->host + ":" + std::to_string(entry->port) + entry->path;
    transfer.headers = HeaderFields(headers);
    transfer.userAgent = entry->agent;
    transfer.body = body;
    transfer.followRedirects = (entry->flags & inet::kFlagNoAutoRedirect) == 0;
    transfer.sharedCookies = (entry->flags & inet::kFlagNoCookies) == 0;
    transfer.proxy = ProxyFor(entry->proxyList, scheme);
    curl::TransferResult answer = curl::PerformTransfer(transfer, settings_);

    const bool complete = answer.complete;
    handles_->WithRequest(request, [&](Entry& open) {
        open.answer = std::move(answer);
        open.readOffset = 0;
        return true;
    });
    return complete;
}

std::size_t CurlInetApi::InternetReadFile(InetHandle request, std::span<std::uint8_t> buffer) {
    return handles_->WithRequest(request, [&](Entry& open) -> size_t {
        const Bytes& body = open.answer.body;
        const size_t count = std::min(buffer.size(), body.size() - open.readOffset);
        std::copy_n(body.begin() + open.readOffset, count, buffer.begin());
        open.readOffset += count;
        return count;
    });
}

std::optional<Text> CurlInetApi::HttpQueryInfo(InetHandle request, int infoLevel,
                                               std::size_t bufferSize) {
    if (infoLevel != inet::kQueryRawHeadersCrlf) return std::nullopt;
    return handles_->WithRequest(request, [&](Entry& open) -> std::optional<Text> {
        if (!open.answer.complete) return std::nullopt;
        Text block;
        for (const std::string& line : open.answer.headerLines) {
            if (!block.empty()) block += "\r\n";
            block += line;
        }
        if (block.size() + 1 > bufferSize) return std::nullopt;  // no room for the zero
        return block;
    });
}

void CurlInetApi::InternetCloseHandle(InetHandle handle) {
    handles_->Remove(handle);
}

}  // namespace vt
