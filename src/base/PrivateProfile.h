#pragma once
// An INI file read and written the way the Windows private-profile functions do it, so that a
// ZEL.ini carried over from a Windows machine means the same here. Section and key names are
// compared without regard to (ASCII) case; values are raw text: no escaping, backslashes, commas,
// quotes and inner blanks kept, only the blanks around a value dropped. Every call goes to the
// file, so two objects (or two running copies) on one file always see each other's writes.
// A write rewrites the file at once through a temporary file and a rename, keeping every line it
// does not touch byte for byte; a crash leaves either the old or the new file, never half of one.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zel {

// One edit of a batch: set the key to the value, or delete the key when there is no value.
struct ProfileChange {
    std::string section;
    std::string key;
    std::optional<std::string> value;
};

class PrivateProfile {
  public:
    explicit PrivateProfile(std::string path);

    const std::string& path() const { return path_; }

    // Missing file, section or key gives the default; an unreadable file reads as empty.
    std::string getString(std::string_view section, std::string_view key,
                          std::string_view defaultValue = {}) const;
    // The leading decimal integer of the value (optional sign; 0 without digits, saturated at
    // the int range); the default only when the key is missing.
    int getInt(std::string_view section, std::string_view key, int defaultValue) const;
    // Bytes stored as hexadecimal text; nothing when the key is missing or is not valid hex.
    std::optional<std::vector<std::uint8_t>> getBinary(std::string_view section, std::string_view key) const;

    bool hasSection(std::string_view section) const;
    bool hasKey(std::string_view section, std::string_view key) const;
    // Names as spelled in the file, in file order, each once.
    std::vector<std::string> sections() const;
    std::vector<std::string> keys(std::string_view section) const;
    // Every key of the section with its value, from one read of the file.
    std::vector<std::pair<std::string, std::string>> sectionValues(std::string_view section) const;

    // Writers throw ZelError when a name or value cannot be stored (line breaks, '=' in a key,
    // empty names) or the file cannot be read back or written; the file is then unchanged.
    void writeString(std::string_view section, std::string_view key, std::string_view value);
    void writeBinary(std::string_view section, std::string_view key, const std::vector<std::uint8_t>& bytes);
    void deleteKey(std::string_view section, std::string_view key);
    void deleteSection(std::string_view section);
    // Several edits in one rewrite of the file: all of them land or none.
    void write(const std::vector<ProfileChange>& changes);

  private:
    std::string path_;
};

// The text form of a binary value (upper-case hex), for batches of binary writes.
std::string ProfileHex(const std::vector<std::uint8_t>& bytes);

// atoi-like: optional blanks, optional sign, decimal digits; 0 when there are none; saturates
// instead of overflowing.
int ParseLeadingInt(std::string_view text);

}  // namespace zel
