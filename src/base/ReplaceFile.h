#pragma once
// Writing the whole new content of a file the analyst may already have (a report, an export)
// so that a write failing half-way, on a full disk or past a size limit, never leaves the old
// file cut short: the bytes go to a temporary file in the same folder, which is renamed over
// the target only when all of them are on disk.

#include <optional>
#include <string>
#include <string_view>

namespace zel {

struct FileWriteFailure {
    bool opened = false;  // false: the file could not be created; true: writing it failed
    int error = 0;        // errno
};

// Replaces the content of path with bytes; nullopt on success. The folder is not created. A
// symbolic link is followed, so the link stays; an existing file keeps its permissions. A
// target that is not a regular file (a device, a pipe) is written in place: it holds nothing to
// keep, and renaming over it would replace it. On failure the temporary file is removed.
std::optional<FileWriteFailure> ReplaceFile(const std::string& path, std::string_view bytes);

}  // namespace zel
