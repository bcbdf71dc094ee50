#include "platform/ini_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <mutex>
#include <optional>
#include <vector>

namespace vt {
namespace {

enum class LineKind { kOther, kSection, kKey };

struct IniLine {
    std::string_view text;
    LineKind kind = LineKind::kOther;
    std::string_view name;   // section or key name
    std::string_view value;  // key lines only
};

std::string_view TrimBlanks(std::string_view text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    const size_t last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

char FoldAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
}

// ASCII letters compare without regard to case; a two-byte character compares exactly, so its
// second byte is never folded.
bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (IsLeadByte(static_cast<unsigned char>(a[i]))) {
            if (a[i] != b[i] || (i + 1 < a.size() && a[i + 1] != b[i + 1])) return false;
            ++i;
        } else if (FoldAscii(a[i]) != FoldAscii(b[i])) {
            return false;
        }
    }
    return true;
}

IniLine ParseLine(std::string_view text) {
    IniLine line;
    line.text = text;
    const std::string_view body = TrimBlanks(text);
    if (body.empty() || body.front() == ';') return line;
    if (body.front() == '[') {
        const std::string_view inner = body.substr(1);
        line.kind = LineKind::kSection;
        line.name = TrimBlanks(inner.substr(0, inner.find(']')));
        return line;
    }
    const size_t equals = body.find('=');
    if (equals == std::string_view::npos) return line;
    line.kind = LineKind::kKey;
    line.name = TrimBlanks(body.substr(0, equals));
    line.value = TrimBlanks(body.substr(equals + 1));
    return line;
}

// Lines split at LF, each without its line end (a CR before the LF belongs to the line end).
std::vector<IniLine> ParseLines(std::string_view content) {
    std::vector<IniLine> lines;
    while (!content.empty()) {
        const size_t end = content.find('\n');
        std::string_view text = content.substr(0, end);
        content = end == std::string_view::npos ? std::string_view() : content.substr(end + 1);
        if (!text.empty() && text.back() == '\r') text.remove_suffix(1);
        lines.push_back(ParseLine(text));
    }
    return lines;
}

// Where an entry is or would go: the key's line, and the first matching section's extent.
struct EntryPlace {
    std::optional<size_t> keyLine;
    std::optional<size_t> sectionEnd;  // after the section's last non-blank line
};

EntryPlace FindEntry(const std::vector<IniLine>& lines, std::string_view section,
                     std::string_view key) {
    EntryPlace place;
    bool inSection = false;
    bool inFirstSection = false;
    for (size_t i = 0; i < lines.size(); ++i) {
        const IniLine& line = lines[i];
        if (line.kind == LineKind::kSection) {
            inSection = SameName(line.name, section);
            inFirstSection = inSection && !place.sectionEnd;
            if (inFirstSection) place.sectionEnd = i + 1;
            continue;
        }
        if (inSection && line.kind == LineKind::kKey && SameName(line.name, key)) {
            place.keyLine = i;
            return place;
        }
        if (inFirstSection && !TrimBlanks(line.text).empty()) place.sectionEnd = i + 1;
    }
    return place;
}

bool HasLineBreak(std::string_view text) {
    return text.find_first_of("\r\n") != text.npos;
}

bool IsBareName(std::string_view name) {
    return !name.empty() && !HasLineBreak(name) && TrimBlanks(name).size() == name.size();
}

std::optional<std::string> ReadWholeFile(const std::filesystem::path& file) {
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    std::string content;
    char buffer[4096];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) {
            ::close(fd);
            return got == 0 ? std::optional(std::move(content)) : std::nullopt;
        }
        content.append(buffer, static_cast<size_t>(got));
    }
}

bool WriteAll(int fd, std::string_view data) {
    while (!data.empty()) {
        const ssize_t written = ::write(fd, data.data(), data.size());
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        data.remove_prefix(static_cast<size_t>(written));
    }
    return true;
}

// Replaces `file` with `content` through a synced temporary file in the same directory, so that
// readers see either the old or the new file, never a part of one.
bool ReplaceFileAtomically(const std::filesystem::path& file, std::string_view content) {
    static std::atomic<unsigned> counter{0};
    std::filesystem::path temporary = file;
    temporary += ".tmp." + std::to_string(::getpid()) + "." + std::to_string(counter++);
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) return false;
    struct stat old {};
    if (::stat(file.c_str(), &old) == 0) ::fchmod(fd, old.st_mode & 07777);
    bool ok = WriteAll(fd, content) && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    ok = ok && ::rename(temporary.c_str(), file.c_str()) == 0;
    if (!ok) {
        ::unlink(temporary.c_str());
        return false;
    }
    const std::filesystem::path directory = file.has_parent_path() ? file.parent_path() : ".";
    const int dirFd = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
    return true;
}

}  // namespace

Text IniValue(std::string_view content, std::string_view section, std::string_view key) {
    const std::vector<IniLine> lines = ParseLines(content);
    const EntryPlace place = FindEntry(lines, section, key);
    return place.keyLine ? Text(lines[*place.keyLine].value) : Text();
}

bool IsStorableIniEntry(std::string_view section, std::string_view key, std::string_view value) {
    return IsBareName(section) && section.find(']') == section.npos && IsBareName(key) &&
           key.find('=') == key.npos && key.front() != '[' && key.front() != ';' &&
           !HasLineBreak(value);
}

std::string WithIniValue(std::string_view content, std::string_view section, std::string_view key,
                         std::string_view value) {
    const std::vector<IniLine> lines = ParseLines(content);
    const EntryPlace place = FindEntry(lines, section, key);
    std::string entry(key);
    entry.append("=").append(value);
    std::string result;
    result.reserve(content.size() + entry.size() + section.size() + 8);
    for (size_t i = 0; i <= lines.size(); ++i) {
        if (!place.keyLine && place.sectionEnd == i) result += entry + "\r\n";
        if (i == lines.size()) break;
        result += place.keyLine == i ? std::string_view(entry) : lines[i].text;
        result += "\r\n";
    }
    if (!place.keyLine && !place.sectionEnd) {
        result.append("[").append(section).append("]\r\n").append(entry).append("\r\n");
    }
    return result;
}

Text ReadIniValue(const std::filesystem::path& file, std::string_view section,
                  std::string_view key) {
    const std::optional<std::string> content = ReadWholeFile(file);
    return content ? IniValue(*content, section, key) : Text();
}

bool WriteIniValue(const std::filesystem::path& file, std::string_view section,
                   std::string_view key, std::string_view value) {
    if (!IsStorableIniEntry(section, key, value)) return false;
    // One read-modify-write at a time, so that two threads setting different keys both land.
    static std::mutex writeMutex;
    std::lock_guard lock(writeMutex);
    std::error_code error;
    std::string content;
    if (std::filesystem::exists(file, error)) {
        std::optional<std::string> old = ReadWholeFile(file);
        if (!old) return false;
        content = std::move(*old);
    } else if (error) {
        return false;
    }
    return ReplaceFileAtomically(file, WithIniValue(content, section, key, value));
}

}  // namespace vt
