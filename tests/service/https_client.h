#pragma once
// A plain HTTPS client on libcurl, the library the program itself speaks through.

#include <string>

namespace vt::ocrd::test {

struct Reply {
    long status = 0;  // 0: no answer
    std::string body;
};

// GET of `target` (path and query) from https://127.0.0.1:`port`, trusting only `caFile`.
Reply Get(int port, const std::string& caFile, const std::string& target);

// POST of `body`, with its length given or, with `chunked`, in chunked transfer encoding.
Reply Post(int port, const std::string& caFile, const std::string& target, const std::string& body,
           bool chunked = false);

}  // namespace vt::ocrd::test
