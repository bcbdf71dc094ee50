#include "service/server.h"

#include <httplib.h>
#include <openssl/err.h>
#include <openssl/ssl.h>

#include <chrono>
#include <memory>
#include <stdexcept>

#include "service/answers.h"
#include "service/form.h"
#include "service/service_log.h"
#include "service/token_endpoint.h"

namespace vt::ocrd {
namespace {

constexpr const char* kJson = "application/json;charset=utf-8";
constexpr std::size_t kMaxTokenBody = 64 * 1024;
constexpr std::size_t kMaxLoggedPath = 200;

bool SetUpTls(SSL_CTX& context, const std::string& certFile, const std::string& keyFile) {
    SSL_CTX_set_min_proto_version(&context, TLS1_2_VERSION);
    SSL_CTX_set_options(&context, SSL_OP_NO_COMPRESSION | SSL_OP_NO_RENEGOTIATION |
                                      SSL_OP_CIPHER_SERVER_PREFERENCE);
    return SSL_CTX_use_certificate_chain_file(&context, certFile.c_str()) == 1 &&
           SSL_CTX_use_PrivateKey_file(&context, keyFile.c_str(), SSL_FILETYPE_PEM) == 1 &&
           SSL_CTX_check_private_key(&context) == 1;
}

std::string OpenSslError() {
    char text[256] = "unknown error";
    if (unsigned long code = ERR_get_error()) ERR_error_string_n(code, text, sizeof text);
    return text;
}

struct ReceivedBody {
    std::string text;
    bool complete = false;
    bool tooLarge = false;
};

// Reads the body up to `limit` bytes (after any content decoding). A body declared larger is
// skipped by the HTTP layer; one that grows larger while it streams in is cut off.
ReceivedBody Receive(const httplib::Request& request, const httplib::ContentReader& reader,
                     std::size_t limit) {
    ReceivedBody body;
    auto declared = request.get_header_value<std::uint64_t>("Content-Length");
    body.tooLarge = declared > limit;
    if (!body.tooLarge) body.text.reserve(declared);
    body.complete = reader([&](const char* data, std::size_t size) {
        if (size > limit - body.text.size()) {
            body.tooLarge = true;
            return false;
        }
        body.text.append(data, size);
        return true;
    });
    if (body.tooLarge) std::string().swap(body.text);
    return body;
}

std::string_view QueryOf(const httplib::Request& request) {
    std::string_view target = request.target;
    std::size_t mark = target.find('?');
    return mark == std::string_view::npos ? std::string_view() : target.substr(mark + 1);
}

// Body fields first, then the query's: a token request may carry its parameters in either.
std::optional<FormFields> TokenParameters(const httplib::Request& request, std::string_view body) {
    auto fields = ParseForm(body);
    auto queryFields = ParseForm(QueryOf(request));
    if (!fields || !queryFields) return std::nullopt;
    fields->insert(fields->end(), queryFields->begin(), queryFields->end());
    return fields;
}

void Send(httplib::Response& response, const HttpAnswer& answer) {
    response.status = answer.status;
    response.set_content(answer.body, kJson);
}

// Sends `answer` and then ends the connection. Used when the request body was not read to its
// end, since the rest of it would be taken for the next request. The answer goes out through a
// content provider that reports failure once it has written everything: a failed write is what
// makes the HTTP layer close a kept-alive connection.
void SendAndClose(httplib::Response& response, const HttpAnswer& answer) {
    response.status = answer.status;
    auto body = std::make_shared<const std::string>(answer.body);
    response.set_content_provider(
        body->size(), kJson,
        [body](std::size_t offset, std::size_t length, httplib::DataSink& sink) {
            sink.write(body->data() + offset, length);
            return false;
        });
}

// A method or path as it may appear in the log: control characters replaced, length bounded,
// "-" when the request line could not be read. The query, which carries tokens and secrets, is
// never logged.
std::string Loggable(std::string_view text) {
    if (text.empty()) return "-";
    std::string out(text.substr(0, kMaxLoggedPath));
    for (char& c : out) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '?';
    }
    return out;
}

thread_local std::chrono::steady_clock::time_point requestStart;

}  // namespace

OcrServer::OcrServer(const ServiceOptions& options, const TokenIssuer& tokens,
                     RecognitionEndpoint& recognition)
    : server_(std::make_unique<httplib::SSLServer>(
          [&](SSL_CTX& context) { return SetUpTls(context, options.certFile, options.keyFile); })) {
    if (!server_->is_valid()) {
        throw std::runtime_error("cannot use certificate " + options.certFile + " with key " +
                                 options.keyFile + ": " + OpenSslError());
    }
    server_->new_task_queue = [threads = options.threads] {
        return new httplib::ThreadPool(threads);
    };
    auto timeout = static_cast<time_t>(options.ioTimeout.count());
    server_->set_read_timeout(timeout);
    server_->set_write_timeout(timeout);
    server_->set_keep_alive_timeout(std::min<time_t>(timeout, 5));
    server_->set_payload_max_length(options.maxBody);
    // Without this, Nagle's algorithm holds a small answer back until the client's delayed
    // acknowledgement comes, some 40 ms. The HTTP layer is a compiled library, so defining
    // CPPHTTPLIB_TCP_NODELAY here would not change its default; the connections take the
    // setting over from the listening socket.
    server_->set_tcp_nodelay(true);
    // The HTTP layer's default also sets SO_REUSEPORT, which would let a second service bind
    // the same port and share its connections; a port in use must be an error instead.
    server_->set_socket_options([](socket_t socket) {
        int on = 1;
        setsockopt(socket, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    });
    Route(tokens, recognition, options.maxBody);
    if (!options.quiet) LogRequests();
}

OcrServer::~OcrServer() = default;

void OcrServer::Route(const TokenIssuer& tokens, RecognitionEndpoint& recognition,
                      std::size_t maxBody) {
    server_->Get(kTokenPath,
                 [&tokens](const httplib::Request& request, httplib::Response& response) {
                     Send(response, AnswerTokenRequest(tokens, ParseForm(QueryOf(request))));
                 });
    server_->Post(kTokenPath, [&tokens](const httplib::Request& request,
                                        httplib::Response& response,
                                        const httplib::ContentReader& reader) {
        ReceivedBody body = Receive(request, reader, kMaxTokenBody);
        if (!body.complete) {
            SendAndClose(response, {400, OAuthErrorAnswer("invalid_request",
                                                          "request body too large or incomplete")});
            return;
        }
        Send(response, AnswerTokenRequest(tokens, TokenParameters(request, body.text)));
    });
    server_->Post(kRecognitionPath, [&recognition, maxBody](const httplib::Request& request,
                                                            httplib::Response& response,
                                                            const httplib::ContentReader& reader) {
        ReceivedBody body = Receive(request, reader, maxBody);
        if (!body.complete && !body.tooLarge) {
            SendAndClose(response,
                         {400, OcrErrorAnswer(OcrError::InvalidParam, "incomplete request body")});
            return;
        }
        HttpAnswer answer{200, recognition.Answer({QueryOf(request), body.text, body.tooLarge})};
        body.complete ? Send(response, answer) : SendAndClose(response, answer);
    });
    server_->set_error_handler([](const httplib::Request&, httplib::Response& response) {
        if (response.status == 404 && response.body.empty()) {
            response.set_content(OcrErrorAnswer(OcrError::UnsupportedMethod), kJson);
        }
    });
    server_->set_exception_handler(
        [](const httplib::Request&, httplib::Response& response, std::exception_ptr) {
            Send(response, {500, OcrErrorAnswer(OcrError::Internal)});
        });
}

void OcrServer::LogRequests() {
    server_->set_pre_routing_handler([](const httplib::Request&, httplib::Response&) {
        requestStart = std::chrono::steady_clock::now();
        return httplib::Server::HandlerResponse::Unhandled;
    });
    server_->set_logger([](const httplib::Request& request, const httplib::Response& response) {
        long long milliseconds = 0;
        if (requestStart != std::chrono::steady_clock::time_point()) {
            milliseconds = std::chrono::duration_cast<std::chrono::milliseconds>(
                               std::chrono::steady_clock::now() - requestStart)
                               .count();
        }
        requestStart = {};
        WriteLog(Loggable(request.method) + " " + Loggable(request.path) + " " +
                 std::to_string(response.status) + " " + std::to_string(milliseconds) + " ms");
    });
}

int OcrServer::Bind(int port) {
    if (port == 0) return server_->bind_to_any_port("127.0.0.1");
    return server_->bind_to_port("127.0.0.1", port) ? port : -1;
}

bool OcrServer::Serve() {
    return server_->listen_after_bind();
}

bool OcrServer::IsRunning() const {
    return server_->is_running();
}

void OcrServer::Stop() {
    server_->stop();
}

}  // namespace vt::ocrd
