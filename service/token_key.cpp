#include "service/token_key.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <optional>
#include <stdexcept>

#include "service/random_text.h"

namespace vt::ocrd {
namespace {

[[noreturn]] void Fail(const std::string& what, const std::string& file, int error) {
    throw std::runtime_error(what + " token key file " + file + ": " + std::strerror(error));
}

class Descriptor {
  public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }

  private:
    int fd_;
};

// The key in `file`, or nothing when there is no such file.
std::optional<TokenKey> ReadKey(const std::string& file) {
    Descriptor fd(open(file.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0) {
        if (errno == ENOENT) return std::nullopt;
        Fail("cannot open", file, errno);
    }
    struct stat status {};
    if (fstat(fd.get(), &status) != 0) Fail("cannot read", file, errno);
    TokenKey key;
    if (!S_ISREG(status.st_mode) || status.st_size != static_cast<off_t>(key.size())) {
        throw std::runtime_error("token key file " + file + " must be a file of exactly " +
                                 std::to_string(key.size()) + " bytes");
    }
    std::size_t got = 0;
    while (got < key.size()) {
        ssize_t n = read(fd.get(), key.data() + got, key.size() - got);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) Fail("cannot read", file, n < 0 ? errno : EIO);
        got += static_cast<std::size_t>(n);
    }
    return key;
}

void WriteAll(int fd, const TokenKey& key, const std::string& file) {
    std::size_t written = 0;
    while (written < key.size()) {
        ssize_t n = write(fd, key.data() + written, key.size() - written);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) Fail("cannot write", file, errno);
        written += static_cast<std::size_t>(n);
    }
}

// Creates `file` with a new key unless it exists by the time the new one is ready.
void CreateKey(const std::string& file) {
    TokenKey key;
    FillRandom(key);
    std::string temporary = file + ".XXXXXX";
    Descriptor fd(mkostemp(temporary.data(), O_CLOEXEC));  // mode 0600
    if (fd.get() < 0) Fail("cannot create", file, errno);
    try {
        WriteAll(fd.get(), key, temporary);
        if (fsync(fd.get()) != 0) Fail("cannot write", temporary, errno);
        if (link(temporary.c_str(), file.c_str()) != 0 && errno != EEXIST) {
            Fail("cannot create", file, errno);
        }
    } catch (...) {
        unlink(temporary.c_str());
        throw;
    }
    unlink(temporary.c_str());
}

}  // namespace

TokenKey LoadOrCreateTokenKey(const std::string& file) {
    if (auto key = ReadKey(file)) return *key;
    CreateKey(file);
    if (auto key = ReadKey(file)) return *key;
    Fail("cannot read", file, ENOENT);
}

}  // namespace vt::ocrd
