#include "platform/curl/trusted_cas.h"

#include <fstream>
#include <sstream>

namespace vt::curl {
namespace {

std::string FileText(const std::string& path) {
    if (path.empty()) return {};
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

}  // namespace

std::string TrustedCaPem(const std::string& systemBundle, const std::string& extraCaFile) {
    std::string pem = FileText(systemBundle);
    if (!pem.empty() && pem.back() != '\n') pem += '\n';
    return pem + FileText(extraCaFile);
}

}  // namespace vt::curl
