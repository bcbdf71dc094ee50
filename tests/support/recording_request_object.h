#pragma once
// Recording fakes of the request object. A fake is used here because the tests check the exact
// order and arguments of the calls a client makes on the object; a real server only sees the
// request that comes out of them.

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/request_object.h"

namespace vt::test {

// Appends one line per call to a shared log and answers reads with canned values.
class RecordingRequestObject : public RequestObject {
  public:
    struct Answer {
        Bytes body;
        Text headers;
        int status = 0;
    };

    RecordingRequestObject(std::vector<std::string>& calls, Answer answer)
        : calls_(calls), answer_(std::move(answer)) {}
    ~RecordingRequestObject() override { calls_.push_back("Release"); }

    void SetTimeouts(int resolveMs, int connectMs, int sendMs, int receiveMs) override {
        Record("SetTimeouts", std::to_string(resolveMs), std::to_string(connectMs),
               std::to_string(sendMs), std::to_string(receiveMs));
    }
    void SetProxy(int setting, const Text& proxyServer) override {
        Record("SetProxy", std::to_string(setting), proxyServer);
    }
    void SetProxyCredentials(const Text& user, const Text& password, int flag) override {
        Record("SetProxyCredentials", user, password, std::to_string(flag));
    }
    void Open(const Text& method, const Text& url, bool async) override {
        Record("Open", method, url, async ? "true" : "false");
    }
    void SetOption(int option, int value) override {
        Record("SetOption", std::to_string(option), std::to_string(value));
    }
    void SetRequestHeader(const Text& name, const Text& value) override {
        Record("SetRequestHeader", name, value);
    }
    void Send(const Text& body) override { Record("Send", body); }
    void SendBytes(const Bytes& body) override { Record("SendBytes", ToString(body)); }
    Bytes ResponseBody() override {
        Record("ResponseBody");
        return answer_.body;
    }
    Text GetAllResponseHeaders() override {
        Record("GetAllResponseHeaders");
        return answer_.headers;
    }
    int Status() override {
        Record("Status");
        return answer_.status;
    }

  private:
    // "Name(a, b, c)"
    template <typename... Args>
    void Record(const std::string& name, const Args&... args) {
        std::string line = name + "(";
        std::string separator;
        ((line += separator + std::string(args), separator = ", "), ...);
        calls_.push_back(line + ")");
    }

    std::vector<std::string>& calls_;
    Answer answer_;
};

// Makes recording objects that share one log, or fails to make any.
class RecordingRequestObjectFactory : public RequestObjectFactory {
  public:
    std::unique_ptr<RequestObject> Create() override {
        calls.push_back("Create");
        if (fails) return nullptr;
        return std::make_unique<RecordingRequestObject>(calls, answer);
    }

    std::vector<std::string> calls;
    RecordingRequestObject::Answer answer;
    bool fails = false;
};

}  // namespace vt::test
