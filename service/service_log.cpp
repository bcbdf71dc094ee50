#include "service/service_log.h"

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <string>

namespace vt::ocrd {
namespace {

std::atomic<int> logFd = STDERR_FILENO;

}  // namespace

void SeparateLogFromLibraries() {
    int copy = fcntl(STDERR_FILENO, F_DUPFD_CLOEXEC, 3);
    int devNull = open("/dev/null", O_WRONLY | O_CLOEXEC);
    if (copy < 0 || devNull < 0 || dup2(devNull, STDERR_FILENO) < 0) {
        if (copy >= 0) close(copy);
        if (devNull >= 0) close(devNull);
        return;  // keep everything on stderr
    }
    close(devNull);
    logFd = copy;
}

void WriteLog(std::string_view line) {
    std::string text(line);
    text.push_back('\n');
    for (std::size_t written = 0; written < text.size();) {
        ssize_t n = write(logFd, text.data() + written, text.size() - written);
        if (n <= 0) return;
        written += static_cast<std::size_t>(n);
    }
}

}  // namespace vt::ocrd
