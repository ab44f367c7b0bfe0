#include "data/PosixFile.h"

#include <unistd.h>

#include <cerrno>

namespace zel {

FileDescriptor::~FileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
}

std::size_t ReadAt(int fd, void* buffer, std::size_t size, std::int64_t offset) {
    auto* out = static_cast<unsigned char*>(buffer);
    std::size_t done = 0;
    while (done < size) {
        ssize_t got = ::pread(fd, out + done, size - done, static_cast<off_t>(offset + done));
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) break;
        done += static_cast<std::size_t>(got);
    }
    return done;
}

}  // namespace zel
