#include "base/ReplaceFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <random>
#include <set>

namespace zel {
namespace {

// Writes every byte; errno of the failure, or 0. A short write is retried, so the error of a
// full disk or a size limit is the one reported.
int WriteAll(int fd, FilePieces pieces) {
    for (const std::string_view bytes : pieces) {
        std::size_t done = 0;
        while (done < bytes.size()) {
            const ssize_t put = ::write(fd, bytes.data() + done, bytes.size() - done);
            if (put < 0 && errno == EINTR) continue;
            if (put < 0) return errno;
            if (put == 0) return EIO;
            done += static_cast<std::size_t>(put);
        }
    }
    return 0;
}

// Where the bytes end up, and what is there now.
struct Target {
    std::string path;
    bool hasOld = false;
    struct stat old {};
    bool inPlace() const { return hasOld && !S_ISREG(old.st_mode) && !S_ISDIR(old.st_mode); }
};

Target Resolve(const std::string& path) {
    Target t{path};
    struct stat st {};
    char resolved[PATH_MAX];
    if (::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode) && ::realpath(path.c_str(), resolved))
        t.path = resolved;
    t.hasOld = ::stat(t.path.c_str(), &t.old) == 0;
    return t;
}

std::string FolderOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// A hidden name beside the target that no one can guess ahead of the write.
std::string TemporaryName(const std::string& target) {
    const auto slash = target.find_last_of('/');
    const std::string folder = slash == std::string::npos ? std::string() : target.substr(0, slash + 1);
    // Short enough that the decorations never make the name too long for the file system.
    const std::string name = target.substr(slash == std::string::npos ? 0 : slash + 1).substr(0, 200);
    std::random_device random;
    std::uint64_t bits = (std::uint64_t{random()} << 32) ^ random();
    std::string tag;
    for (int i = 0; i < 10; ++i, bits /= 36) tag += "0123456789abcdefghijklmnopqrstuvwxyz"[bits % 36];
    return folder + "." + name + ".zel-" + tag;
}

std::optional<FileWriteFailure> WriteInPlace(const std::string& path, FilePieces bytes) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_TRUNC | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return FileWriteFailure{false, errno};
    int error = WriteAll(fd, bytes);
    if (::close(fd) != 0 && error == 0) error = errno;
    if (error != 0) return FileWriteFailure{true, error};
    return std::nullopt;
}

// Writes the bytes under a new temporary name and flushes them; the name goes to `temporary`.
std::optional<FileWriteFailure> Stage(const Target& t, FilePieces bytes, mode_t mode,
                                      std::string& temporary) {
    int fd = -1;
    // O_EXCL with O_NOFOLLOW: a file or link already under the name is never opened.
    for (int attempt = 0; fd < 0 && attempt < 100; ++attempt) {
        temporary = TemporaryName(t.path);
        fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
        if (fd < 0 && errno != EEXIST) return FileWriteFailure{false, errno};
    }
    if (fd < 0) return FileWriteFailure{false, EEXIST};
    int error = WriteAll(fd, bytes);
    if (error == 0 && t.hasOld) {
        // Only a privileged writer can give the file back to its owner; others own what they write.
        if (t.old.st_uid != ::geteuid() || t.old.st_gid != ::getegid())
            (void)!::fchown(fd, t.old.st_uid, t.old.st_gid);
        if (::fchmod(fd, t.old.st_mode & 07777) != 0) error = errno;
    }
    // On disk before the rename, so that a crash never leaves an empty file under the old name.
    if (error == 0 && ::fsync(fd) != 0) error = errno;
    if (::close(fd) != 0 && error == 0) error = errno;
    if (error != 0) {
        ::unlink(temporary.c_str());
        return FileWriteFailure{true, error};
    }
    return std::nullopt;
}

// The rename itself is on disk only when the folder is.
void SyncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

// Every file of the set staged first, then all renamed into place (see ReplaceFiles).
std::optional<FileSetFailure> ReplaceSet(const std::vector<std::pair<std::string, FilePieces>>& files,
                                         mode_t newFileMode) {
    std::vector<Target> targets;
    for (const auto& [path, bytes] : files) {
        targets.push_back(Resolve(path));
        // Known before anything of the set is written.
        if (targets.back().hasOld && S_ISDIR(targets.back().old.st_mode))
            return FileSetFailure{path, {false, EISDIR}};
    }
    std::vector<std::string> staged(files.size());
    auto removeStaged = [&] {
        for (const std::string& temporary : staged)
            if (!temporary.empty()) ::unlink(temporary.c_str());
    };
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (targets[i].inPlace()) continue;
        if (const auto failure = Stage(targets[i], files[i].second, newFileMode, staged[i])) {
            staged[i].clear();
            removeStaged();
            return FileSetFailure{files[i].first, *failure};
        }
    }
    std::set<std::string> folders;
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (staged[i].empty()) continue;
        if (::rename(staged[i].c_str(), targets[i].path.c_str()) != 0) {
            const int error = errno;
            removeStaged();
            return FileSetFailure{files[i].first, {true, error}};
        }
        staged[i].clear();
        folders.insert(FolderOf(targets[i].path));
    }
    for (const std::string& folder : folders) SyncFolder(folder);
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (!targets[i].inPlace()) continue;
        if (const auto failure = WriteInPlace(targets[i].path, files[i].second))
            return FileSetFailure{files[i].first, *failure};
    }
    return std::nullopt;
}

}  // namespace

std::string FileWriteReason(const FileWriteFailure& failure) { return std::strerror(failure.error); }

std::optional<FileWriteFailure> ReplaceFile(const std::string& path, std::string_view bytes,
                                            mode_t newFileMode) {
    return ReplaceFile(path, FilePieces(&bytes, 1), newFileMode);
}

std::optional<FileWriteFailure> ReplaceFile(const std::string& path, FilePieces pieces, mode_t newFileMode) {
    const auto failure = ReplaceSet({{path, pieces}}, newFileMode);
    if (failure) return failure->failure;
    return std::nullopt;
}

std::optional<FileSetFailure> ReplaceFiles(const std::vector<FileContent>& files, mode_t newFileMode) {
    std::vector<std::pair<std::string, FilePieces>> set;
    set.reserve(files.size());
    for (const auto& [path, bytes] : files) set.emplace_back(path, FilePieces(&bytes, 1));
    return ReplaceSet(set, newFileMode);
}

}  // namespace zel
