#pragma once
// Shared by the fuzz targets: scratch files for the readers that take only a path. One scratch
// directory per fuzzing process under $TMPDIR; libFuzzer ends with _Exit, so scripts/fuzz.sh points
// TMPDIR into its own work folder and removes it.

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

namespace zel::fuzz {

inline const std::filesystem::path& ScratchDirectory() {
    static const std::filesystem::path dir = [] {
        const char* tmp = std::getenv("TMPDIR");
        std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/zel-fuzz.XXXXXX";
        if (!mkdtemp(pattern.data())) std::abort();
        return std::filesystem::path(pattern);
    }();
    return dir;
}

// Writes the bytes to the scratch file `name` (replacing it) and returns its path.
inline std::string ScratchFile(std::string_view name, std::string_view bytes) {
    const std::string path = (ScratchDirectory() / name).string();
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) std::abort();
    return path;
}

}  // namespace zel::fuzz
