#pragma once
// The plain HTTP download on libcurl: a GET that follows redirects, with no cookies and no
// headers of its own.

#include "platform/curl/curl_settings.h"
#include "platform/downloader.h"

namespace vt {

class CurlDownloader : public Downloader {
  public:
    explicit CurlDownloader(CurlSettings settings = {});
    Bytes Download(const Text& url) override;

  private:
    const CurlSettings settings_;
};

}  // namespace vt
