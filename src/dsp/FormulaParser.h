#pragma once
// The formula interpreter: a recursive-descent evaluator that computes as it parses.
//
//   expression = term { ("+" | "-") term }
//   term       = power { ("*" | "/" | "%") power }
//   power      = unary [ "^" power ]              right-associative
//   unary      = [ "+" | "-" ] primary            a sign binds tighter than "^"
//   primary    = "(" expression ")" | variable | number | function call
//
// Whatever follows the first expression (";", "=", a second expression...) is ignored. A word is
// classified as soon as it is read: a variable, or a function, which is called at once and
// reads its own argument list through the services below, or an error. Every error is a
// FormulaError thrown to the top; all values are owned, so unwinding frees everything.
//
// One parser serves one evaluation. Parsers share no state, so evaluations may nest (a
// workspace formula that evaluates another) or run on several threads.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "dsp/FormulaInterface.h"
#include "dsp/FormulaTokenizer.h"
#include "dsp/SignalVector.h"

namespace zel {

class FormulaParser {
  public:
    // `source` may be null (only constants, w0..w63 as fresh vectors and "current"). The current
    // name is what "current" stands for, such as d3; empty for none.
    FormulaParser(std::string_view text, FormulaInterface* source, std::string_view currentName);

    // The value of the formula. Throws FormulaError.
    SignalVector Evaluate();
    // Makes "current" stand for a copy of `value`, which outlives the parser, instead of the
    // channel it names.
    void BindCurrent(const SignalVector* value) { currentValue_ = value; }
    // The channel whose raw samples "current" stands for when it names one (d3), or null.
    const FormulaChannel* CurrentRawChannel() const;
    const std::string& CurrentName() const { return current_; }

    // --- services for the functions of the library ---
    // Reads the next token (a word is resolved here, so a function name runs its function).
    void NextToken();
    const Token& Current() const { return token_; }
    bool At(char delimiter) const {
        return token_.kind == TokenKind::Delimiter && token_.delimiter == delimiter;
    }
    // One full expression starting at the current token; the token that ended it stays current.
    SignalVector ParseExpression();
    // An expression whose first sample is taken.
    double ParseScalar() { return ParseExpression().First(); }

    // Argument-list steps, each raising the given text when the token is not the expected one.
    // The text is a template marked ZEL_TR_NOOP: it is translated when raised.
    // Open reads the next token, which must be "(", and then the first token of the argument.
    void ExpectOpen(const char* message);
    // The current token must be ","; reads the token after it.
    void ExpectComma(const char* message);
    // The current token must be ")"; it stays current (the caller of the function steps on).
    void ExpectClose(const char* message);

  private:
    SignalVector Term();
    SignalVector Power();
    SignalVector Unary();
    SignalVector Primary();
    std::optional<SignalVector> Variable(const std::string& word, bool allowCurrent = true);
    std::optional<SignalVector> ChannelVariable(const std::string& word);

    FormulaTokenizer tokenizer_;
    FormulaInterface* source_;
    std::string current_;
    const SignalVector* currentValue_ = nullptr;
    Token token_;
    SignalVector value_;  // the value of the current number, variable or function token
    int depth_ = 0;
};

// Binary arithmetic of the language on two vectors (op one of + - * / % ^), consuming both.
// Exposed for the functions and the tests.
SignalVector ApplyOperator(SignalVector left, SignalVector right, char op);

// The value of a named constant of the language (pi, e, deg), or nothing.
std::optional<double> FormulaConstant(std::string_view word);

// Deepest nesting of brackets, signs and function calls a formula may use.
constexpr int kMaxFormulaDepth = 200;

// The longest error text a caller receives (the rest is cut at a character boundary).
constexpr std::size_t kMaxFormulaErrorLength = 1023;

// Evaluates the text with "current" standing for nothing. True with `result` and an empty error
// text on success; false with the message otherwise (also for exhausted memory).
bool EvaluateFormula(std::string_view text, SignalVector& result, std::string& errorText,
                     FormulaInterface* source = nullptr);

// The channel-formula form: "current" stands for `currentName` (such as d3); the result comes
// back as 32-bit floats with the interval as a float.
bool EvaluateFormulaFloat(std::string_view text, std::string_view currentName, std::vector<float>& samples,
                          float& dx, std::string& errorText, FormulaInterface* source = nullptr);

}  // namespace zel
