#include "dsp/FormulaTokenizer.h"

#include <locale.h>
#include <stdlib.h>

#include <cstring>

namespace zel {
namespace {

constexpr std::string_view kDelimiters = "+-^/%=;(),><*";
// What ends a number or a word: blank, tab, the end, and the operators and brackets. Note the
// absence of '.', ':' and '_' (part of names such as st3 or abc:shz:t) and of line breaks.
constexpr std::string_view kSeparators = " \t;,+-<>/*%^=()";

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

locale_t CLocale() {
    static const locale_t loc = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return loc;
}

}  // namespace

double ParseLeadingNumber(const std::string& text) { return strtod_l(text.c_str(), nullptr, CLocale()); }

FormulaTokenizer::FormulaTokenizer(std::string_view text) : text_(text) {
    const std::size_t nul = text_.find('\0');
    if (nul != std::string_view::npos) text_ = text_.substr(0, nul);
}

Token FormulaTokenizer::Next() {
    Token t;
    while (pos_ < text_.size() && (text_[pos_] == ' ' || text_[pos_] == '\t')) ++pos_;
    if (pos_ >= text_.size()) {
        t.kind = TokenKind::End;
        return t;
    }
    const char c = text_[pos_];
    if (kDelimiters.find(c) != std::string_view::npos) {
        t.kind = TokenKind::Delimiter;
        t.delimiter = c;
        ++pos_;
        return t;
    }
    if (IsDigit(c) || c == '.' || IsLetter(c)) {
        const std::size_t end = text_.find_first_of(kSeparators, pos_);
        const std::string_view word = text_.substr(pos_, end == std::string_view::npos ? end : end - pos_);
        pos_ += word.size();
        if (IsLetter(c)) {
            t.kind = TokenKind::Word;
            t.text = LowerAscii(word);
        } else {
            t.kind = TokenKind::Number;
            t.text = std::string(word);
            t.number = ParseLeadingNumber(t.text);
        }
        return t;
    }
    // Step over the stray character so that nothing can read it twice.
    t.kind = TokenKind::Invalid;
    t.text = std::string(1, c);
    ++pos_;
    return t;
}

}  // namespace zel
