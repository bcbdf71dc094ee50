#pragma once
// The real veltrace-ocrd binary, started by a test on a free port with its own certificates.

#include <sys/types.h>

#include <chrono>
#include <string>
#include <vector>

namespace vt::ocrd::test {

// A temporary directory with ca.pem, server.pem and server.key made by scripts/make-certs.sh.
// Removed when the object goes.
class CertificateDirectory {
  public:
    CertificateDirectory();
    ~CertificateDirectory();
    const std::string& path() const { return path_; }
    std::string CaFile() const { return path_ + "/ca.pem"; }

  private:
    std::string path_;
};

class ServiceProcess {
  public:
    // Starts the service with --port 0, the certificates of `certs` and `extraArgs`, and waits
    // for its "listening on" line. Fails the current test when it does not come.
    ServiceProcess(const CertificateDirectory& certs, const std::vector<std::string>& extraArgs);
    // Ends the service with SIGKILL if it still runs.
    ~ServiceProcess();

    int port() const { return port_; }
    // Sends `signal` and waits for the end; gives the exit status, or -1 when it did not exit
    // normally or had to be killed after a minute.
    int Stop(int signal);
    // What the service wrote to stderr so far.
    std::string Log() const;
    // The log once it holds `text` (a request is logged just after its answer has gone out),
    // or as it is after `limit`.
    std::string LogWith(const std::string& text, std::chrono::seconds limit) const;

  private:
    void Start(const CertificateDirectory& certs, std::vector<std::string> args);

    pid_t pid_ = -1;
    int port_ = 0;
    std::string logFile_;
};

}  // namespace vt::ocrd::test
