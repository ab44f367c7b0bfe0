#pragma once
// The small text helpers every floor uses. ASCII only where it says so: codes, names and keys of
// files and tables are ASCII, while free texts (remarks, comments) may be UTF-8.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace zel {

// Without leading and trailing blanks, tabs and line ends.
std::string Trimmed(std::string_view text);
// The same as a view into text, for parsers that must not copy.
std::string_view TrimmedView(std::string_view text);
// A column that may be NULL, trimmed; "" for NULL.
std::string TrimmedColumn(const std::optional<std::string>& text);
// Letters A-Z to a-z, everything else as it is.
std::string LowerAscii(std::string_view text);
// Letters a-z to A-Z, everything else as it is.
std::string UpperAscii(std::string_view text);
// The same text when both are equal but for the case of A-Z.
bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b);
// Text cut to at most `bytes` bytes on a UTF-8 character boundary.
std::string CutUtf8(const std::string& text, std::size_t bytes);

}  // namespace zel
