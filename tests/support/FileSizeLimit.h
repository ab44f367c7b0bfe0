#pragma once
// A full disk, for real: the writing runs in a child process whose files cannot grow past a
// limit (RLIMIT_FSIZE), so that a write past it fails with EFBIG half-way through a file.

#include <cstddef>
#include <functional>
#include <optional>
#include <string>

namespace zel::test {

// Runs `write` in a forked child with the file size limit. Returns the text of the exception
// it threw, or nullopt when it returned normally; a child that dies is a test failure. For the
// single-threaded core tests: a fork copies only the calling thread.
std::optional<std::string> FailureWithFileSizeLimit(std::size_t limitBytes, const std::function<void()>& write);

// The files of a folder, sorted: a failed write must leave no temporary file behind.
std::string FolderListing(const std::string& folder);

}  // namespace zel::test
