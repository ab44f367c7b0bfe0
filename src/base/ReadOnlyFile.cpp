#include "base/ReadOnlyFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>

namespace zel {

ReadOnlyFile::ReadOnlyFile(const std::string& path) {
    // Without O_NONBLOCK the open of a pipe would wait for a writer; a regular file ignores it.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        error_ = errno;
        return;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        notRegular_ = true;
        ::close(fd);
        return;
    }
    fd_ = fd;
    size_ = static_cast<std::uint64_t>(st.st_size);
}

ReadOnlyFile::~ReadOnlyFile() {
    if (fd_ >= 0) ::close(fd_);
}

std::string ReadOnlyFile::resolvedPath() const {
    if (fd_ < 0) return {};
    char target[PATH_MAX + 1];
    const std::string link = "/proc/self/fd/" + std::to_string(fd_);
    const ssize_t length = ::readlink(link.c_str(), target, PATH_MAX);
    if (length <= 0) return {};
    return std::string(target, static_cast<std::size_t>(length));
}

std::size_t ReadOnlyFile::readAt(void* buffer, std::size_t size, std::uint64_t offset) const {
    auto* out = static_cast<unsigned char*>(buffer);
    std::size_t done = 0;
    while (fd_ >= 0 && done < size) {
        const ssize_t got = ::pread(fd_, out + done, size - done, static_cast<off_t>(offset + done));
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) break;
        done += static_cast<std::size_t>(got);
    }
    return done;
}

bool ReadOnlyFile::readAll(std::string& out) const {
    out.clear();
    if (fd_ < 0) return false;
    char piece[65536];
    for (std::uint64_t offset = 0;;) {
        const ssize_t got = ::pread(fd_, piece, sizeof piece, static_cast<off_t>(offset));
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return false;
        if (got == 0) return true;
        out.append(piece, static_cast<std::size_t>(got));
        offset += static_cast<std::uint64_t>(got);
    }
}

}  // namespace zel
