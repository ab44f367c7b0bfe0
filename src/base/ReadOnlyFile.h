#pragma once
// A file that is only read (a sample file, an index, an input), opened only when it is a regular
// file: a pipe is never waited on (opening one for reading blocks until someone writes into it)
// and a device is never read.

#include <cstddef>
#include <cstdint>
#include <string>

namespace zel {

class ReadOnlyFile {
  public:
    explicit ReadOnlyFile(const std::string& path);
    ~ReadOnlyFile();
    ReadOnlyFile(const ReadOnlyFile&) = delete;
    ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;

    bool isOpen() const { return fd_ >= 0; }
    // Not open because the path names a pipe, a device or a folder.
    bool notRegular() const { return notRegular_; }
    // errno of a failed open.
    int error() const { return error_; }
    std::uint64_t size() const { return size_; }

    // Where the open file really lies, every link followed; empty when the system does not say.
    std::string resolvedPath() const;
    // Up to size bytes from offset on; how many arrived (fewer at the end of the file or on an error).
    std::size_t readAt(void* buffer, std::size_t size, std::uint64_t offset) const;
    // The whole file; false on a read error.
    bool readAll(std::string& out) const;

  private:
    int fd_ = -1;
    bool notRegular_ = false;
    int error_ = 0;
    std::uint64_t size_ = 0;
};

}  // namespace zel
