#include "support/https_fixture.h"

#include <httplib.h>
#include <strings.h>

#include <condition_variable>
#include <map>
#include <mutex>
#include <stdexcept>
#include <thread>

namespace vt::test {

std::vector<std::string> ReceivedRequest::Values(const std::string& name) const {
    std::vector<std::string> values;
    for (const auto& [field, value] : headers) {
        if (strcasecmp(field.c_str(), name.c_str()) == 0) values.push_back(value);
    }
    return values;
}

std::string ReceivedRequest::Value(const std::string& name) const {
    std::vector<std::string> values = Values(name);
    return values.empty() ? std::string() : values.front();
}

class HttpsFixture::Server {
  public:
    explicit Server(const TestCertificates& certificates)
        : https_(certificates.ServerCertificateFile().c_str(),
                 certificates.ServerKeyFile().c_str()) {
        if (!https_.is_valid()) throw std::runtime_error("HTTPS fixture: bad certificate");
        // Small replies go out at once, as from the real service, not after Nagle's delay.
        https_.set_tcp_nodelay(true);
        https_.Get(".*", [this](const httplib::Request& request, httplib::Response& response) {
            Handle(request, response, request.body);
        });
        // Bodies are read here: httplib's own reading refuses form bodies beyond 8 KiB.
        https_.Post(".*", [this](const httplib::Request& request, httplib::Response& response,
                                 const httplib::ContentReader& reader) {
            std::string body;
            reader([&body](const char* data, size_t length) {
                body.append(data, length);
                return true;
            });
            Handle(request, response, body);
        });
        port_ = https_.bind_to_any_port("127.0.0.1");
        if (port_ <= 0) throw std::runtime_error("HTTPS fixture: cannot bind");
        thread_ = std::thread([this] { https_.listen_after_bind(); });
        while (!https_.is_running()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }

    ~Server() {
        {
            std::lock_guard lock(mutex_);
            stopping_ = true;
        }
        stopped_.notify_all();
        https_.stop();
        thread_.join();
    }

    int Port() const { return port_; }

    void Reply(const std::string& path, CannedReply reply) {
        std::lock_guard lock(mutex_);
        replies_[path] = std::move(reply);
    }

    std::vector<ReceivedRequest> Requests() const {
        std::lock_guard lock(mutex_);
        return requests_;
    }

  private:
    void Handle(const httplib::Request& request, httplib::Response& response,
                const std::string& body) {
        CannedReply reply;
        {
            std::lock_guard lock(mutex_);
            requests_.push_back(Record(request, body));
            auto it = replies_.find(request.path);
            if (it == replies_.end()) {
                reply.status = 404;
                reply.body = "no canned reply";
            } else {
                reply = it->second;
            }
        }
        response.status = reply.status;
        for (const auto& [name, value] : reply.headers) response.set_header(name, value);
        switch (reply.mode) {
            case CannedReply::Mode::kWhole:
                response.set_content(reply.body, ContentType(reply));
                break;
            case CannedReply::Mode::kHang:
                WaitUntilStopping(std::chrono::hours(1));
                break;
            case CannedReply::Mode::kSlowStream:
                StreamSlowly(reply, response);
                break;
            case CannedReply::Mode::kOversize:
                StreamOversize(reply, response);
                break;
        }
    }

    static ReceivedRequest Record(const httplib::Request& request, const std::string& body) {
        ReceivedRequest received{request.method, request.target, {}, body};
        for (const auto& [name, value] : request.headers) {
            // httplib adds these itself; they did not come over the wire.
            if (name == "REMOTE_ADDR" || name == "REMOTE_PORT" || name == "LOCAL_ADDR" ||
                name == "LOCAL_PORT") {
                continue;
            }
            received.headers.emplace_back(name, value);
        }
        return received;
    }

    static std::string ContentType(const CannedReply& reply) {
        for (const auto& [name, value] : reply.headers) {
            if (strcasecmp(name.c_str(), "Content-Type") == 0) return value;
        }
        return "text/plain";
    }

    // True when the server began to stop within `duration`.
    bool WaitUntilStopping(std::chrono::milliseconds duration) {
        std::unique_lock lock(mutex_);
        return stopped_.wait_for(lock, duration, [this] { return stopping_; });
    }

    void StreamSlowly(const CannedReply& reply, httplib::Response& response) {
        const int chunks = std::max(reply.chunks, 1);
        const size_t size = (reply.body.size() + chunks - 1) / chunks;
        response.set_chunked_content_provider(
            ContentType(reply),
            [this, reply, size, sent = size_t{0}](size_t, httplib::DataSink& sink) mutable {
                if (sent > 0 && WaitUntilStopping(reply.chunkDelay)) return false;
                if (sent >= reply.body.size()) {
                    sink.done();
                    return true;
                }
                const std::string piece = reply.body.substr(sent, size);
                sent += piece.size();
                return sink.write(piece.data(), piece.size());
            });
    }

    void StreamOversize(const CannedReply& reply, httplib::Response& response) {
        response.set_chunked_content_provider(
            ContentType(reply), [total = reply.oversizeBytes, sent = size_t{0}](
                                    size_t, httplib::DataSink& sink) mutable {
                if (sent >= total) {
                    sink.done();
                    return true;
                }
                const std::string piece(std::min<size_t>(64 * 1024, total - sent), 'x');
                sent += piece.size();
                return sink.write(piece.data(), piece.size());
            });
    }

    httplib::SSLServer https_;
    int port_ = 0;
    std::thread thread_;
    mutable std::mutex mutex_;
    std::condition_variable stopped_;
    bool stopping_ = false;
    std::map<std::string, CannedReply> replies_;
    std::vector<ReceivedRequest> requests_;
};

HttpsFixture::HttpsFixture(const TestCertificates& certificates)
    : server_(std::make_unique<Server>(certificates)) {}

HttpsFixture::~HttpsFixture() = default;

int HttpsFixture::Port() const {
    return server_->Port();
}

std::string HttpsFixture::Url(const std::string& target) const {
    return "https://127.0.0.1:" + std::to_string(Port()) + target;
}

void HttpsFixture::Reply(const std::string& path, CannedReply reply) {
    server_->Reply(path, std::move(reply));
}

std::vector<ReceivedRequest> HttpsFixture::Requests() const {
    return server_->Requests();
}

}  // namespace vt::test
