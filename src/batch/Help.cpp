#include "batch/Help.h"

#include <algorithm>
#include <ostream>
#include <string>
#include <string_view>

#include "base/UserText.h"

namespace zel::batch {

namespace {

constexpr std::size_t kPageWidth = 100;
// Option names longer than this get their text on the next line.
constexpr std::size_t kMaxNamesWidth = 24;

// Characters on the screen, not bytes: the texts are UTF-8.
std::size_t Width(std::string_view text) {
    return static_cast<std::size_t>(std::count_if(
        text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

// The words of text in lines of at most kPageWidth, the first starting at column `at` (what is
// already printed on it), every later one indented to `indent`.
void Wrap(std::ostream& out, std::string_view text, std::size_t at, std::size_t indent) {
    std::size_t column = at;
    bool lineEmpty = true;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t begin = text.find_first_not_of(' ', pos);
        if (begin == std::string_view::npos) break;
        const std::size_t end = std::min(text.find(' ', begin), text.size());
        const std::string_view word = text.substr(begin, end - begin);
        if (!lineEmpty && column + 1 + Width(word) > kPageWidth) {
            out << '\n' << std::string(indent, ' ');
            column = indent;
            lineEmpty = true;
        }
        if (!lineEmpty) out << ' ', ++column;
        out << word;
        column += Width(word);
        lineEmpty = false;
        pos = end;
    }
    out << '\n';
}

void PrintUsage(std::ostream& out, std::string_view syntax) {
    const std::size_t lineEnd = std::min(syntax.find('\n'), syntax.size());
    const std::string_view first = syntax.substr(0, lineEnd);
    const std::string line = Tr("Usage: %1").arg(first);
    out << line << '\n';
    // Later lines stand under the arguments: after "zelbatch COMMAND ".
    std::size_t command = first.find(' ');
    command = command == std::string_view::npos ? first.size() : first.find(' ', command + 1);
    const std::size_t indent = Width(line) - Width(first) + std::min(command, first.size()) + 1;
    for (std::size_t pos = lineEnd; pos < syntax.size();) {
        const std::size_t next = std::min(syntax.find('\n', pos + 1), syntax.size());
        out << std::string(indent, ' ') << syntax.substr(pos + 1, next - pos - 1) << '\n';
        pos = next;
    }
}

}  // namespace

Help Joined(std::initializer_list<Help> parts) {
    Help all;
    for (const Help& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
}

void PrintHelp(std::ostream& out, const Help& help) {
    for (std::size_t i = 0; i < help.size(); ++i) {
        const HelpItem& item = help[i];
        switch (item.kind) {
            case HelpItem::Kind::Usage:
                PrintUsage(out, item.text);
                break;
            case HelpItem::Kind::Paragraph:
                Wrap(out, Tr(item.text), 0, 0);
                break;
            case HelpItem::Kind::Gap:
                out << '\n';
                break;
            case HelpItem::Kind::Option: {
                // One column for a run of options: after the longest names that fit beside it.
                std::size_t longest = 0;
                for (std::size_t j = i; j < help.size() && help[j].kind == HelpItem::Kind::Option; ++j)
                    if (const std::size_t w = Width(help[j].names); w <= kMaxNamesWidth)
                        longest = std::max(longest, w);
                for (std::size_t j = i - 1; j < i && help[j].kind == HelpItem::Kind::Option; --j)
                    if (const std::size_t w = Width(help[j].names); w <= kMaxNamesWidth)
                        longest = std::max(longest, w);
                const std::size_t column = 2 + longest + 2;
                const std::size_t names = Width(item.names);
                out << "  " << item.names;
                if (names + 2 + 2 <= column) {
                    out << std::string(column - 2 - names, ' ');
                } else {
                    out << '\n' << std::string(column, ' ');
                }
                Wrap(out, Tr(item.text), column, column);
                break;
            }
        }
    }
}

}  // namespace zel::batch
