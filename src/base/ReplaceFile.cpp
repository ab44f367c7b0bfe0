#include "base/ReplaceFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>

namespace zel {
namespace {

// Writes every byte; errno of the failure, or 0. A short write is retried, so the error of a
// full disk or a size limit is the one reported.
int WriteAll(int fd, std::string_view bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t put = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (put < 0 && errno == EINTR) continue;
        if (put < 0) return errno;
        if (put == 0) return EIO;
        done += static_cast<std::size_t>(put);
    }
    return 0;
}

std::optional<FileWriteFailure> WriteInPlace(const std::string& path, std::string_view bytes) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
    if (fd < 0) return FileWriteFailure{false, errno};
    int error = WriteAll(fd, bytes);
    if (::close(fd) != 0 && error == 0) error = errno;
    if (error != 0) return FileWriteFailure{true, error};
    return std::nullopt;
}

}  // namespace

std::optional<FileWriteFailure> ReplaceFile(const std::string& path, std::string_view bytes) {
    std::string target = path;
    char resolved[PATH_MAX];
    struct stat st {};
    const bool exists = ::lstat(path.c_str(), &st) == 0;
    if (exists && S_ISLNK(st.st_mode) && ::realpath(path.c_str(), resolved)) target = resolved;
    struct stat old {};
    const bool hasOld = ::stat(target.c_str(), &old) == 0;
    if (hasOld && !S_ISREG(old.st_mode)) return WriteInPlace(target, bytes);

    // A name of this process and call, so that two writers never share a temporary file.
    static std::atomic<unsigned> serial{0};
    const std::string temporary =
        target + ".zel" + std::to_string(::getpid()) + "-" + std::to_string(serial++) + ".part";
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) return FileWriteFailure{false, errno};
    int error = WriteAll(fd, bytes);
    if (error == 0 && hasOld && ::fchmod(fd, old.st_mode & 07777) != 0) error = errno;
    // On disk before the rename, so that a crash never leaves an empty file under the old name.
    if (error == 0 && ::fsync(fd) != 0) error = errno;
    if (::close(fd) != 0 && error == 0) error = errno;
    if (error == 0 && ::rename(temporary.c_str(), target.c_str()) != 0) error = errno;
    if (error != 0) {
        ::unlink(temporary.c_str());
        return FileWriteFailure{true, error};
    }
    return std::nullopt;
}

}  // namespace zel
