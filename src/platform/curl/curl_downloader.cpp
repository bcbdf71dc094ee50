#include "platform/curl/curl_downloader.h"

#include "platform/curl/curl_transfer.h"

namespace vt {

CurlDownloader::CurlDownloader(CurlSettings settings) : settings_(std::move(settings)) {}

Bytes CurlDownloader::Download(const Text& url) {
    curl::TransferRequest request;
    request.url = url;
    return curl::PerformTransfer(request, settings_).body;
}

}  // namespace vt
