#pragma once
// Runs the local OCR service (veltrace-ocrd) for a test: the test's own certificates, a free
// port on loopback, stopped at the end.

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "support/test_certificates.h"

namespace vt::test {

class OcrServiceProcess {
  public:
    // Starts `binary` with the server certificate of `certificates`; `extraArguments` are added
    // to the command line (for example --token-ttl 1).
    OcrServiceProcess(const std::string& binary, const TestCertificates& certificates,
                      const std::vector<std::string>& extraArguments = {}) {
        std::vector<std::string> arguments = {binary,
                                              "--port",
                                              "0",
                                              "--cert",
                                              certificates.ServerCertificateFile(),
                                              "--key",
                                              certificates.ServerKeyFile(),
                                              "--quiet"};
        arguments.insert(arguments.end(), extraArguments.begin(), extraArguments.end());
        Start(arguments);
    }
    ~OcrServiceProcess() {
        Stop();
        std::filesystem::remove(output_);
    }
    OcrServiceProcess(const OcrServiceProcess&) = delete;
    OcrServiceProcess& operator=(const OcrServiceProcess&) = delete;

    int Port() const { return port_; }

    // Ends the service; its port then refuses connections.
    void Stop() {
        if (pid_ <= 0) return;
        ::kill(pid_, SIGTERM);
        ::waitpid(pid_, nullptr, 0);
        pid_ = -1;
    }

  private:
    void Start(const std::vector<std::string>& arguments) {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "veltrace-ocrd-XXXXXX").string();
        const int outputFd = ::mkstemp(pattern.data());
        if (outputFd < 0) throw std::runtime_error("mkstemp failed");
        output_ = pattern;
        // Built before the fork: the child of a threaded process may only make plain calls.
        std::vector<char*> argv;
        for (const std::string& argument : arguments) {
            argv.push_back(const_cast<char*>(argument.c_str()));
        }
        argv.push_back(nullptr);
        pid_ = ::fork();
        if (pid_ < 0) throw std::runtime_error("fork failed");
        if (pid_ == 0) {
            ::dup2(outputFd, STDOUT_FILENO);
            ::execv(argv[0], argv.data());
            ::_exit(127);
        }
        ::close(outputFd);
        // The service prints "listening on https://127.0.0.1:N" once it accepts connections.
        const std::string listening = "listening on https://127.0.0.1:";
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        while (std::chrono::steady_clock::now() < deadline) {
            std::ifstream in(output_);
            const std::string text((std::istreambuf_iterator<char>(in)),
                                   std::istreambuf_iterator<char>());
            const size_t at = text.find(listening);
            if (at != std::string::npos && text.find('\n', at) != std::string::npos) {
                port_ = std::atoi(text.c_str() + at + listening.size());
                return;
            }
            if (::waitpid(pid_, nullptr, WNOHANG) == pid_) {
                pid_ = -1;
                break;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        Stop();
        throw std::runtime_error("veltrace-ocrd did not start");
    }

    std::string output_;
    pid_t pid_ = -1;
    int port_ = 0;
};

// One service per test process, started on first use and stopped when the process ends.
inline OcrServiceProcess& SharedOcrService(const std::string& binary) {
    static OcrServiceProcess service(binary, SharedTestCertificates());
    return service;
}

}  // namespace vt::test
