#include "service/slow_client.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <openssl/ssl.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace vt::ocrd::test {

SlowClient::SlowClient(int port, const std::string& caFile, const std::string& partialRequest) {
    socket_ = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (::connect(socket_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) return;
    if (caFile.empty()) {
        connected_ = true;
        return;
    }
    context_ = SSL_CTX_new(TLS_client_method());
    SSL_CTX_load_verify_locations(context_, caFile.c_str(), nullptr);
    SSL_CTX_set_verify(context_, SSL_VERIFY_PEER, nullptr);
    ssl_ = SSL_new(context_);
    SSL_set_fd(ssl_, socket_);
    connected_ = SSL_connect(ssl_) == 1 &&
                 SSL_write(ssl_, partialRequest.data(), static_cast<int>(partialRequest.size())) ==
                     static_cast<int>(partialRequest.size());
}

SlowClient::~SlowClient() {
    if (ssl_ != nullptr) SSL_free(ssl_);
    if (context_ != nullptr) SSL_CTX_free(context_);
    if (socket_ >= 0) ::close(socket_);
}

bool SlowClient::EndedByServiceWithin(std::chrono::seconds limit) {
    // Non-blocking from here: TLS records without application data (session tickets) make the
    // socket readable without the connection having ended.
    fcntl(socket_, F_SETFL, fcntl(socket_, F_GETFL) | O_NONBLOCK);
    auto deadline = std::chrono::steady_clock::now() + limit;
    for (;;) {
        auto remaining = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        pollfd wait{socket_, POLLIN, 0};
        if (remaining.count() <= 0 || poll(&wait, 1, static_cast<int>(remaining.count())) <= 0) {
            return false;
        }
        char buffer[256];
        if (ssl_ == nullptr) {
            if (::recv(socket_, buffer, sizeof buffer, 0) <= 0) return true;
            continue;
        }
        int received = SSL_read(ssl_, buffer, sizeof buffer);
        if (received <= 0 && SSL_get_error(ssl_, received) != SSL_ERROR_WANT_READ) return true;
    }
}

}  // namespace vt::ocrd::test
