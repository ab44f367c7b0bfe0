#pragma once
// Writing the whole new content of a file the analyst may already have (a report, an export)
// so that a write failing half-way, on a full disk or past a size limit, never leaves the old
// file cut short: the bytes go to a temporary file in the same folder, which is renamed over
// the target only when all of them are on disk. Every file the program writes goes through here.

#include <sys/types.h>

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zel {

struct FileWriteFailure {
    bool opened = false;  // false: the file could not be created; true: writing it failed
    int error = 0;        // errno
};

// The system's reason for a failure ("No space left on device").
std::string FileWriteReason(const FileWriteFailure& failure);

// Replaces the content of path with bytes; nullopt on success. The folder is not created.
// - The temporary file has a name of its own, created exclusively and never through a link,
//   so nothing planted beside the target can redirect the write.
// - A symbolic link at the target is followed, so the link stays; an existing file keeps its
//   permissions (and, where the process may, its owner); a new one gets newFileMode less the umask.
// - File and folder are flushed to disk before and after the rename, so a crash leaves the old
//   content or the new one.
// - A target that is not a regular file (a device, a pipe) is written in place: it holds
//   nothing to keep, and renaming over it would replace it.
// On failure the temporary file is removed.
std::optional<FileWriteFailure> ReplaceFile(const std::string& path, std::string_view bytes,
                                            mode_t newFileMode = 0666);

// The same with the content given as pieces written one after another, so that a header and a
// channel-day of samples never have to be joined in memory first.
using FilePieces = std::span<const std::string_view>;
std::optional<FileWriteFailure> ReplaceFile(const std::string& path, FilePieces pieces,
                                            mode_t newFileMode = 0666);

struct FileSetFailure {
    std::string path;  // the file that failed
    FileWriteFailure failure;
};

// Replaces a set of files that belong together (the tables of one event, the phase files of one
// list): every file is written to its temporary file first and the set is renamed into place
// only when all of them are on disk, so a failure leaves every target as it was. The bytes are
// read where they lie: they must outlive the call.
using FileContent = std::pair<std::string, std::string_view>;  // path, bytes
std::optional<FileSetFailure> ReplaceFiles(const std::vector<FileContent>& files, mode_t newFileMode = 0666);

}  // namespace zel
