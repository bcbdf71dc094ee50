#pragma once
// The plain HTTP download: a GET of an address that yields the whole response body. The
// production backend is on libcurl (platform/curl/).

#include "text/text.h"

namespace vt {

class Downloader {
  public:
    virtual ~Downloader() = default;
    // The body of the response to a GET of `url`, whatever its status; empty bytes when no
    // complete response arrived (bad address, connection or TLS failure, time-out, too large).
    virtual Bytes Download(const Text& url) = 0;
};

}  // namespace vt
