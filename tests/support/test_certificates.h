#pragma once
// A CA of its own and a server certificate for 127.0.0.1 and localhost, made by
// scripts/make-certs.sh in a fresh temporary directory that goes away with the object.

#include <string>

namespace vt::test {

class TestCertificates {
  public:
    TestCertificates();
    ~TestCertificates();
    TestCertificates(const TestCertificates&) = delete;
    TestCertificates& operator=(const TestCertificates&) = delete;

    std::string CaFile() const { return directory_ + "/ca.pem"; }
    std::string ServerCertificateFile() const { return directory_ + "/server.pem"; }
    std::string ServerKeyFile() const { return directory_ + "/server.key"; }

  private:
    std::string directory_;
};

// One set per test process, made on first use.
const TestCertificates& SharedTestCertificates();

}  // namespace vt::test
