#pragma once
// Splits formula text into tokens: one-character delimiters, numbers, words and the end. Words
// are only cut out and lower-cased here; whether a word is a variable or a function is the
// parser's business. Nothing here depends on the process locale: numbers always take a decimal
// point, and only ASCII letters count as letters.

#include <cstddef>
#include <string>
#include <string_view>

#include "base/Strings.h"

namespace zel {

enum class TokenKind {
    Invalid,    // a character that starts no token; the parser rejects it where an operand is due
    Delimiter,  // one of + - ^ / % = ; ( ) , > < *
    Number,
    Word,  // letters, digits, '.', ':', '_' and anything else up to a separator, lower case
    End,
    // Given by the parser to a word once it knows what the word names; the value travels beside.
    Variable,
    Function,
};

struct Token {
    TokenKind kind = TokenKind::End;
    char delimiter = 0;  // for Delimiter
    double number = 0;   // for Number
    std::string text;    // the source text of a Number, the lower-cased Word
};

class FormulaTokenizer {
  public:
    // The text ends at its first NUL, as a typed formula would.
    explicit FormulaTokenizer(std::string_view text);

    Token Next();
    std::size_t Position() const { return pos_; }

  private:
    std::string_view text_;
    std::size_t pos_ = 0;
};

// The number at the start of `text` the way the C library reads it in the "C" locale: as much
// as forms a number ("1e" is 1, "2pi" is 2, "." is 0), whatever the process locale is.
double ParseLeadingNumber(const std::string& text);


}  // namespace zel
