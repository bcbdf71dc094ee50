#include "service/service_process.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

extern char** environ;

namespace vt::ocrd::test {
namespace {

// Reads `fd` until a whole line has come; gives "" at end of file or after `timeout`.
std::string ReadLine(int fd, std::chrono::seconds timeout) {
    std::string line;
    auto deadline = std::chrono::steady_clock::now() + timeout;
    while (std::chrono::steady_clock::now() < deadline) {
        pollfd wait{fd, POLLIN, 0};
        if (poll(&wait, 1, 200) <= 0) continue;
        char c = 0;
        if (read(fd, &c, 1) != 1) return "";
        if (c == '\n') return line;
        line.push_back(c);
    }
    return "";
}

}  // namespace

CertificateDirectory::CertificateDirectory() {
    char pattern[] = "/tmp/ocrd-certs-XXXXXX";
    path_ = mkdtemp(pattern);
    std::string command =
        "bash '" VELTRACE_SOURCE_DIR "/scripts/make-certs.sh' '" + path_ + "' >/dev/null";
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
}

CertificateDirectory::~CertificateDirectory() {
    std::filesystem::remove_all(path_);
}

ServiceProcess::ServiceProcess(const CertificateDirectory& certs,
                               const std::vector<std::string>& extraArgs) {
    std::vector<std::string> args = {VELTRACE_OCRD,
                                     "--port",
                                     "0",
                                     "--cert",
                                     certs.path() + "/server.pem",
                                     "--key",
                                     certs.path() + "/server.key"};
    args.insert(args.end(), extraArgs.begin(), extraArgs.end());
    Start(certs, std::move(args));
}

void ServiceProcess::Start(const CertificateDirectory& certs, std::vector<std::string> args) {
    logFile_ =
        certs.path() + "/ocrd-" + std::to_string(reinterpret_cast<std::uintptr_t>(this)) + ".log";
    std::vector<char*> argv;
    for (auto& arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);

    int out[2];
    ASSERT_EQ(pipe(out), 0);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, logFile_.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0600);
    int spawned = posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    ASSERT_EQ(spawned, 0) << argv[0];

    std::string line = ReadLine(out[0], std::chrono::seconds(180));
    close(out[0]);
    const std::string prefix = "listening on https://127.0.0.1:";
    ASSERT_EQ(line.rfind(prefix, 0), 0u) << "no listening line, got \"" << line << "\"\n" << Log();
    port_ = std::stoi(line.substr(prefix.size()));
}

ServiceProcess::~ServiceProcess() {
    if (pid_ > 0) Stop(SIGKILL);
}

int ServiceProcess::Stop(int signal) {
    if (pid_ <= 0) return -1;
    kill(pid_, signal);
    int status = 0;
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (waitpid(pid_, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {  // ignored the signal
            kill(pid_, SIGKILL);
            waitpid(pid_, &status, 0);
            pid_ = -1;
            return -1;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    pid_ = -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string ServiceProcess::Log() const {
    std::ifstream in(logFile_);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string ServiceProcess::LogWith(const std::string& text, std::chrono::seconds limit) const {
    auto deadline = std::chrono::steady_clock::now() + limit;
    std::string log = Log();
    while (log.find(text) == std::string::npos && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        log = Log();
    }
    return log;
}

}  // namespace vt::ocrd::test
