#include "app/result_file.h"

#include <unistd.h>

#include <cstdio>

namespace vt {

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
    std::FILE* stream = std::fopen(file.c_str(), "ab");
    if (!stream) return false;
    const bool written =
        std::fwrite(utf8Text.data(), 1, utf8Text.size(), stream) == utf8Text.size() &&
        std::fputs("\r\n", stream) >= 0 && std::fflush(stream) == 0 && ::fsync(fileno(stream)) == 0;
    const bool closed = std::fclose(stream) == 0;
    return written && closed;
}

}  // namespace vt
