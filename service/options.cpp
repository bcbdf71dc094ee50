#include "service/options.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <thread>

#include "veltrace_config.h"

namespace vt::ocrd {
namespace {

std::string TokenKeyBeside(const std::string& certFile) {
    return (std::filesystem::path(certFile).parent_path() / "token.key").string();
}

template <typename Number>
bool ParseNumber(std::string_view text, Number low, Number high, Number& out) {
    Number value{};
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < low || value > high) {
        return false;
    }
    out = value;
    return true;
}

// Applies one option that takes a value; false when the value is not acceptable.
bool ApplyValue(ServiceOptions& options, std::string_view name, std::string_view value) {
    if (name == "--port") return ParseNumber(value, 0, 65535, options.port);
    if (name == "--threads") return ParseNumber(value, 1u, 256u, options.threads);
    if (name == "--max-body") {
        return ParseNumber<std::size_t>(value, 1, std::size_t{1} << 30, options.maxBody);
    }
    long long seconds = 0;
    if (name == "--token-ttl") {
        if (!ParseNumber(value, 1LL, 10LL * 365 * 24 * 3600, seconds)) return false;
        options.tokenLifetime = std::chrono::seconds(seconds);
        return true;
    }
    if (name == "--io-timeout") {
        if (!ParseNumber(value, 1LL, 3600LL, seconds)) return false;
        options.ioTimeout = std::chrono::seconds(seconds);
        return true;
    }
    if (value.empty()) return false;
    if (name == "--cert") options.certFile = value;
    if (name == "--key") options.keyFile = value;
    if (name == "--token-key") options.tokenKeyFile = value;
    if (name == "--langs") options.languages = value;
    return true;
}

bool TakesValue(std::string_view name) {
    constexpr std::string_view kNames[] = {"--port",      "--cert",     "--key",
                                           "--token-key", "--threads",  "--langs",
                                           "--token-ttl", "--max-body", "--io-timeout"};
    return std::find(std::begin(kNames), std::end(kNames), name) != std::end(kNames);
}

}  // namespace

ServiceOptions DefaultOptions() {
    ServiceOptions options;
    options.port = config::kServicePort;
    options.certFile = std::string(config::kCertDirectory) + "/server.pem";
    options.keyFile = std::string(config::kCertDirectory) + "/server.key";
    options.tokenKeyFile = TokenKeyBeside(options.certFile);
    options.threads = std::max(1u, std::thread::hardware_concurrency());
    return options;
}

std::optional<ServiceOptions> ParseOptions(const std::vector<std::string_view>& args,
                                           std::string& error) {
    ServiceOptions options = DefaultOptions();
    options.tokenKeyFile.clear();  // beside the certificate given, unless given itself
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string_view name = args[i];
        std::optional<std::string_view> value;
        if (std::size_t equals = name.find('='); equals != std::string_view::npos) {
            value = name.substr(equals + 1);
            name = name.substr(0, equals);
        }
        if (!value && (name == "--quiet" || name == "--help" || name == "-h")) {
            (name == "--quiet" ? options.quiet : options.help) = true;
            continue;
        }
        if (!TakesValue(name)) {
            error = "unknown option " + std::string(args[i]);
            return std::nullopt;
        }
        if (!value) {
            if (i + 1 == args.size()) {
                error = "option " + std::string(name) + " needs a value";
                return std::nullopt;
            }
            value = args[++i];
        }
        if (!ApplyValue(options, name, *value)) {
            error = "bad value for " + std::string(name) + ": " + std::string(*value);
            return std::nullopt;
        }
    }
    if (options.tokenKeyFile.empty()) options.tokenKeyFile = TokenKeyBeside(options.certFile);
    return options;
}

std::string Usage() {
    ServiceOptions defaults = DefaultOptions();
    return "usage: veltrace-ocrd [options]\n"
           "  --port N              port on 127.0.0.1 (default " +
           std::to_string(defaults.port) +
           "; 0: any free port)\n"
           "  --cert FILE           server certificate chain, PEM (default " +
           defaults.certFile +
           ")\n"
           "  --key FILE            server private key, PEM (default " +
           defaults.keyFile +
           ")\n"
           "  --token-key FILE      32-byte key that signs access tokens, made if missing\n"
           "                        (default token.key beside the certificate, " +
           defaults.tokenKeyFile +
           ")\n"
           "  --threads N           requests served at once, one OCR engine each (default " +
           std::to_string(defaults.threads) +
           ")\n"
           "  --langs L             Tesseract languages (default " +
           defaults.languages +
           ")\n"
           "  --token-ttl SECONDS   lifetime of issued access tokens (default 30 days)\n"
           "  --max-body BYTES      largest request body (default 64 MiB)\n"
           "  --io-timeout SECONDS  time a connection may stay silent (default 10)\n"
           "  --quiet               no log line per request\n";
}

}  // namespace vt::ocrd
