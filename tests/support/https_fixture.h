#pragma once
// A loopback HTTPS server for tests of HTTP clients: canned replies by path, a record of every
// request exactly as it arrived, and replies that hang, trickle or run past any sane size.

#include <chrono>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "support/test_certificates.h"

namespace vt::test {

using HeaderFields = std::vector<std::pair<std::string, std::string>>;

struct CannedReply {
    enum class Mode {
        kWhole,       // status, headers and body at once
        kHang,        // never answers (until the server stops)
        kSlowStream,  // the body in `chunks` pieces, `chunkDelay` apart (chunked encoding)
        kOversize,    // `oversizeBytes` bytes of 'x' as a chunked body
    };

    int status = 200;
    HeaderFields headers{};  // a name may repeat (Set-Cookie)
    std::string body{};
    Mode mode = Mode::kWhole;
    int chunks = 1;
    std::chrono::milliseconds chunkDelay{0};
    size_t oversizeBytes = 0;
};

struct ReceivedRequest {
    std::string method;
    std::string target;  // path and query as sent
    // Grouped by name (any letter case); one name keeps its order. The server drops headers
    // with an empty value.
    HeaderFields headers;
    std::string body;

    // Every value of the header `name` (any letter case), in the order they came.
    std::vector<std::string> Values(const std::string& name) const;
    // The first value of `name`, or empty text.
    std::string Value(const std::string& name) const;
};

class HttpsFixture {
  public:
    // Serves on 127.0.0.1, on a free port, with the server certificate of `certificates`.
    explicit HttpsFixture(const TestCertificates& certificates = SharedTestCertificates());
    ~HttpsFixture();
    HttpsFixture(const HttpsFixture&) = delete;
    HttpsFixture& operator=(const HttpsFixture&) = delete;

    int Port() const;
    // "https://127.0.0.1:<port>" followed by `target`.
    std::string Url(const std::string& target) const;

    // Answers requests for `path` (without query); any other path gets 404 "no canned reply".
    void Reply(const std::string& path, CannedReply reply);

    std::vector<ReceivedRequest> Requests() const;

  private:
    class Server;
    std::unique_ptr<Server> server_;
};

}  // namespace vt::test
