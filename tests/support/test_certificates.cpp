#include "support/test_certificates.h"

#include <cstdlib>
#include <filesystem>
#include <stdexcept>

namespace vt::test {

TestCertificates::TestCertificates() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "veltrace-certs-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    directory_ = pattern;
    const std::string command =
        "bash '" VT_SOURCE_DIR "/scripts/make-certs.sh' '" + directory_ + "' >/dev/null";
    if (std::system(command.c_str()) != 0) throw std::runtime_error("make-certs.sh failed");
}

TestCertificates::~TestCertificates() {
    std::error_code ignored;
    std::filesystem::remove_all(directory_, ignored);
}

const TestCertificates& SharedTestCertificates() {
    static const TestCertificates certificates;
    return certificates;
}

}  // namespace vt::test
