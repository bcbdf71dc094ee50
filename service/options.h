#pragma once
// The command line of veltrace-ocrd.

#include <chrono>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vt::ocrd {

struct ServiceOptions {
    int port = 0;  // 0: any free port
    std::string certFile;
    std::string keyFile;
    std::string tokenKeyFile;  // the key that signs access tokens
    unsigned threads = 1;
    std::string languages = "chi_sim+eng";
    std::chrono::seconds tokenLifetime{30 * 24 * 3600};
    std::size_t maxBody = 64 * 1024 * 1024;
    std::chrono::seconds ioTimeout{10};
    bool quiet = false;
    bool help = false;
};

// The options with nothing given: the configured port, the certificate, its key and the token
// key in the configured certificate directory, one request thread per processor core.
ServiceOptions DefaultOptions();

// Parses the arguments after the program name ("--port 18443" or "--port=18443"). Without
// --token-key the token key is "token.key" beside the certificate. Gives nothing and sets
// `error` for an unknown option, a missing value or a value out of range.
std::optional<ServiceOptions> ParseOptions(const std::vector<std::string_view>& args,
                                           std::string& error);

// The text that --help prints, with the defaults.
std::string Usage();

}  // namespace vt::ocrd
