#include "app/result_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

namespace vt {
namespace {

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        bytes.remove_prefix(static_cast<size_t>(written));
    }
    return true;
}

}  // namespace

QString ResultFileStem(const QDateTime& when) {
    const QDate date = when.date();
    const QTime time = when.time();
    QString stem =
        QStringLiteral("%1年%2月%3日").arg(date.year()).arg(date.month()).arg(date.day());
    if (time.second() != 0) {
        stem +=
            QStringLiteral("%1时%2分%3秒").arg(time.hour()).arg(time.minute()).arg(time.second());
    } else if (time.minute() != 0) {
        stem += QStringLiteral("%1时%2分").arg(time.hour()).arg(time.minute());
    } else if (time.hour() != 0) {
        stem += QStringLiteral("%1时").arg(time.hour());
    }
    return stem;
}

bool AppendResultText(const std::filesystem::path& file, std::string_view utf8Text) {
    const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (fd < 0) return false;
    const bool written = WriteAll(fd, utf8Text) && WriteAll(fd, "\r\n") && ::fsync(fd) == 0;
    const bool closed = ::close(fd) == 0;
    return written && closed;
}

}  // namespace vt
