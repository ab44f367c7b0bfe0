#pragma once
// A POSIX file descriptor that closes itself, and positioned reads that survive interruptions:
// the sample-file readers read exactly the bytes they need at an offset.

#include <cstddef>
#include <cstdint>

namespace zel {

class FileDescriptor {
  public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor();
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return fd_; }

  private:
    int fd_;
};

// Reads up to size bytes at offset; returns how many arrived (short at end of file or on error).
std::size_t ReadAt(int fd, void* buffer, std::size_t size, std::int64_t offset);

}  // namespace zel
