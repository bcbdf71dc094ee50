#include "service/https_client.h"

#include <curl/curl.h>

#include <algorithm>

namespace vt::ocrd::test {
namespace {

std::size_t Append(char* data, std::size_t size, std::size_t count, void* out) {
    static_cast<std::string*>(out)->append(data, size * count);
    return size * count;
}

struct Upload {
    const std::string* data;
    std::size_t sent = 0;
};

std::size_t ReadUpload(char* out, std::size_t size, std::size_t count, void* source) {
    auto* upload = static_cast<Upload*>(source);
    std::size_t n = std::min(size * count, upload->data->size() - upload->sent);
    upload->data->copy(out, n, upload->sent);
    upload->sent += n;
    return n;
}

struct HttpsRequest {
    const std::string& target;
    const std::string* body;  // POST when set
    bool chunked;
};

Reply Send(int port, const std::string& caFile, const HttpsRequest& request) {
    Reply reply;
    CURL* curl = curl_easy_init();
    std::string url = "https://127.0.0.1:" + std::to_string(port) + request.target;
    curl_slist* headers = nullptr;
    curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
    curl_easy_setopt(curl, CURLOPT_CAINFO, caFile.c_str());
    curl_easy_setopt(curl, CURLOPT_TIMEOUT, 120L);
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, Append);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &reply.body);
    Upload upload{request.body};
    if (request.body != nullptr) {
        curl_easy_setopt(curl, CURLOPT_POST, 1L);
        if (request.chunked) {
            headers = curl_slist_append(headers, "Transfer-Encoding: chunked");
            curl_easy_setopt(curl, CURLOPT_READFUNCTION, ReadUpload);
            curl_easy_setopt(curl, CURLOPT_READDATA, &upload);
        } else {
            curl_easy_setopt(curl, CURLOPT_POSTFIELDS, request.body->data());
            curl_easy_setopt(curl, CURLOPT_POSTFIELDSIZE_LARGE,
                             static_cast<curl_off_t>(request.body->size()));
        }
    }
    curl_easy_setopt(curl, CURLOPT_HTTPHEADER, headers);
    if (curl_easy_perform(curl) == CURLE_OK) {
        curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &reply.status);
    }
    curl_slist_free_all(headers);
    curl_easy_cleanup(curl);
    return reply;
}

}  // namespace

Reply Get(int port, const std::string& caFile, const std::string& target) {
    return Send(port, caFile, {target, nullptr, false});
}

Reply Post(int port, const std::string& caFile, const std::string& target, const std::string& body,
           bool chunked) {
    return Send(port, caFile, {target, &body, chunked});
}

}  // namespace vt::ocrd::test
