#include "dsp/FormulaParser.h"

#include <algorithm>
#include <cmath>
#include <new>
#include <stdexcept>
#include <utility>

#include "dsp/FormulaChannels.h"
#include "dsp/FormulaFloats.h"
#include "dsp/FormulaFunctions.h"

namespace zel {
namespace {

constexpr int kWorkspaceWindows = 64;

enum class ChannelForm { Raw, Transformed, RawMarks, TransformedMarks };

const char* const kErrorText = ZEL_TR_NOOP("Ошибка");
const char* const kNoCloseText = ZEL_TR_NOOP("Отсутствует )");
const char* const kTooDeepText = ZEL_TR_NOOP("Ошибка: слишком глубокая вложенность формулы");
const char* const kNoMemoryText = ZEL_TR_NOOP("Недостаточно памяти для вычисления формулы");

// Counts one level of nesting for as long as it lives.
class DepthGuard {
  public:
    explicit DepthGuard(int& depth) : depth_(depth) {
        if (++depth_ > kMaxFormulaDepth) RaiseFormulaError(Tr(kTooDeepText));
    }
    ~DepthGuard() { --depth_; }
    DepthGuard(const DepthGuard&) = delete;
    DepthGuard& operator=(const DepthGuard&) = delete;

  private:
    int& depth_;
};

double Divide(double a, double b) {
    if (b != 0.0) return a / b;
    return a == 0.0 ? 1.0 : 0.0;
}

// The remainder keeps the truncated quotient but stays in double: no 32-bit conversion to
// overflow when a / b is large.
double Remainder(double a, double b) {
    if (b != 0.0) return a - std::trunc(a / b) * b;
    return a == 0.0 ? 1.0 : 0.0;
}

template <typename Op>
void Combine(std::span<double> target, std::span<const double> left, std::span<const double> right, Op op) {
    const std::size_t n = target.size();
    if (left.size() == 1) {
        const double a = left[0];
        for (std::size_t i = 0; i < n; ++i) target[i] = op(a, right[i]);
    } else if (right.size() == 1) {
        const double b = right[0];
        for (std::size_t i = 0; i < n; ++i) target[i] = op(left[i], b);
    } else {
        for (std::size_t i = 0; i < n; ++i) target[i] = op(left[i], right[i]);
    }
}

template <typename Op>
SignalVector Elementwise(SignalVector l, SignalVector r, Op op) {
    // A one-sample operand never changes the interval of a signal: its interval is 1.
    const double dx = (r.dx != l.dx && r.dx != 1.0) ? r.dx : l.dx;
    // Work in the buffer of the operand whose count the result has, so no third buffer is made.
    const bool intoLeft = r.Count() == 1 || (l.Count() != 1 && l.Count() <= r.Count());
    SignalVector& out = intoLeft ? l : r;
    const std::size_t n =
        (l.Count() == 1 || r.Count() == 1) ? std::max(l.Count(), r.Count()) : std::min(l.Count(), r.Count());
    Combine(out.Values().first(n), l.Values(), r.Values(), op);
    if (out.Count() != n) out.Resize(n);
    out.dx = dx;
    return std::move(out);
}

// Splits "w12" into ("w", 12); the number has no sign and no leading zero, like the names the
// window generates.
bool SplitIndexed(const std::string& word, std::string& prefix, int& index) {
    const std::size_t digits = word.find_first_of("0123456789");
    if (digits == std::string::npos || digits == 0) return false;
    const std::string number = word.substr(digits);
    if (number.size() > 9 || number.find_first_not_of("0123456789") != std::string::npos) return false;
    if (number.size() > 1 && number[0] == '0') return false;
    prefix = word.substr(0, digits);
    index = std::stoi(number);
    return true;
}

std::vector<std::string> SplitColons(const std::string& word) {
    std::vector<std::string> parts;
    std::size_t from = 0;
    for (;;) {
        const std::size_t colon = word.find(':', from);
        parts.push_back(word.substr(from, colon == std::string::npos ? colon : colon - from));
        if (colon == std::string::npos) return parts;
        from = colon + 1;
    }
}

SignalVector ChannelValue(const FormulaChannel& ch, ChannelForm form, const char* what) {
    switch (form) {
        case ChannelForm::Raw:
            return ch.raw ? ChannelSpanSignal(*ch.raw, ch.spanStart, ch.spanLength, what) : SignalVector();
        case ChannelForm::Transformed:
            return WholeTransformedSignal(ch.transformed, ch.transformedRate, what);
        case ChannelForm::RawMarks:
            if (!ch.raw || !ch.marks) return SignalVector();
            return ChannelMarkSignal(*ch.raw, ch.spanStart, ch.spanLength, *ch.marks, what);
        case ChannelForm::TransformedMarks:
            if (!ch.marks) return SignalVector();
            return TransformedMarkSignal(ch.transformed, ch.transformedRate, ch.spanStart, ch.spanLength,
                                         *ch.marks, what);
    }
    return SignalVector();
}

// Cuts a message to the caller's buffer without splitting a UTF-8 character.
std::string CutMessage(std::string text) {
    if (text.size() <= kMaxFormulaErrorLength) return text;
    std::size_t n = kMaxFormulaErrorLength;
    while (n > 0 && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80) --n;
    text.resize(n);
    return text;
}

}  // namespace

std::optional<double> FormulaConstant(std::string_view word) {
    if (word == "pi") return 3.141592653589793;
    if (word == "e") return 2.718281828459045;
    if (word == "deg") return 57.29577951308232;  // degrees per radian
    return std::nullopt;
}

SignalVector ApplyOperator(SignalVector left, SignalVector right, char op) {
    switch (op) {
        case '+':
            return Elementwise(std::move(left), std::move(right), [](double a, double b) { return a + b; });
        case '-':
            return Elementwise(std::move(left), std::move(right), [](double a, double b) { return a - b; });
        case '*':
            return Elementwise(std::move(left), std::move(right), [](double a, double b) { return a * b; });
        case '/':
            return Elementwise(std::move(left), std::move(right), Divide);
        case '%':
            return Elementwise(std::move(left), std::move(right), Remainder);
        case '^': {
            // Every sample raised to the first sample of the right side; shape and interval stay
            // the left side's.
            const double k = right.First();
            if (k == 1.0) return left;
            if (k == 2.0) {
                // Squares are common (energies) and pow is many times slower than a product.
                for (double& v : left.Values()) v *= v;
                return left;
            }
            for (double& v : left.Values()) v = std::pow(v, k);
            return left;
        }
        default:
            RaiseFormulaError(Tr(kErrorText));
    }
}

FormulaParser::FormulaParser(std::string_view text, FormulaInterface* source, std::string_view currentName)
    : tokenizer_(text), source_(source), current_(LowerAscii(currentName)) {}

SignalVector FormulaParser::Evaluate() {
    NextToken();
    if (token_.kind == TokenKind::End) RaiseFormulaError(Tr(kErrorText));
    return ParseExpression();
}

void FormulaParser::NextToken() {
    Token t = tokenizer_.Next();
    switch (t.kind) {
        case TokenKind::Number:
            value_ = SignalVector(t.number);
            break;
        case TokenKind::Word: {
            if (std::optional<SignalVector> v = Variable(t.text)) {
                value_ = std::move(*v);
                t.kind = TokenKind::Variable;
                break;
            }
            FormulaFunction f = FindFormulaFunction(t.text);
            if (f == nullptr) RaiseFormulaError(Tr("'%1' - undefined variables or function").arg(t.text));
            DepthGuard guard(depth_);
            t.kind = TokenKind::Function;
            token_ = t;
            // The function reads its own argument list; its ")" is the last token it reads.
            SignalVector result = f(*this);
            value_ = std::move(result);
            break;
        }
        default:
            break;
    }
    token_ = std::move(t);
}

SignalVector FormulaParser::ParseExpression() {
    DepthGuard guard(depth_);
    SignalVector left = Term();
    while (At('+') || At('-')) {
        const char op = token_.delimiter;
        NextToken();
        left = ApplyOperator(std::move(left), Term(), op);
    }
    return left;
}

SignalVector FormulaParser::Term() {
    SignalVector left = Power();
    while (At('*') || At('/') || At('%')) {
        const char op = token_.delimiter;
        NextToken();
        left = ApplyOperator(std::move(left), Power(), op);
    }
    return left;
}

SignalVector FormulaParser::Power() {
    SignalVector base = Unary();
    if (!At('^')) return base;
    DepthGuard guard(depth_);
    NextToken();
    return ApplyOperator(std::move(base), Power(), '^');
}

SignalVector FormulaParser::Unary() {
    if (At('+')) {
        NextToken();
        return Primary();
    }
    if (At('-')) {
        NextToken();
        SignalVector v = Primary();
        for (double& x : v.Values()) x = -x;
        return v;
    }
    return Primary();
}

SignalVector FormulaParser::Primary() {
    switch (token_.kind) {
        case TokenKind::Delimiter:
            if (token_.delimiter == '(') {
                NextToken();
                SignalVector v = ParseExpression();
                if (!At(')')) RaiseFormulaError(Tr(kNoCloseText));
                NextToken();
                return v;
            }
            break;
        case TokenKind::Number:
        case TokenKind::Variable:
        case TokenKind::Function: {
            SignalVector v = std::move(value_);
            NextToken();
            return v;
        }
        default:
            break;
    }
    RaiseFormulaError(Tr(kErrorText));
}

void FormulaParser::ExpectOpen(const char* message) {
    NextToken();
    if (!At('(')) RaiseFormulaError(Tr(message));
    NextToken();
}

void FormulaParser::ExpectComma(const char* message) {
    if (!At(',')) RaiseFormulaError(Tr(message));
    NextToken();
}

void FormulaParser::ExpectClose(const char* message) {
    if (!At(')')) RaiseFormulaError(Tr(message));
}

std::optional<SignalVector> FormulaParser::Variable(const std::string& word, bool allowCurrent) {
    if (word == "current") {
        // "current" stands for the name the caller gave; a name that names nothing gives the
        // fresh vector, and the name may not be "current" again.
        if (allowCurrent && currentValue_) return *currentValue_;
        if (!allowCurrent || current_.empty() || current_ == "current") return SignalVector();
        std::optional<SignalVector> v = Variable(current_, false);
        return v ? std::move(v) : SignalVector();
    }
    if (const std::optional<double> c = FormulaConstant(word)) return SignalVector(*c);
    if (word.find(':') != std::string::npos) return ChannelVariable(word);

    std::string prefix;
    int n = 0;
    if (!SplitIndexed(word, prefix, n)) return std::nullopt;
    if (prefix == "w") {
        if (n >= kWorkspaceWindows) return std::nullopt;
        const SignalVector* w = source_ ? source_->WorkspaceSignal(n) : nullptr;
        return w ? *w : SignalVector();
    }
    static const std::pair<const char*, ChannelForm> kForms[] = {{"d", ChannelForm::Raw},
                                                                 {"t", ChannelForm::Transformed},
                                                                 {"sd", ChannelForm::RawMarks},
                                                                 {"st", ChannelForm::TransformedMarks}};
    for (const auto& [name, form] : kForms) {
        if (prefix != name) continue;
        const FormulaChannel* ch = source_ ? source_->ChannelByNumber(n) : nullptr;
        if (ch == nullptr) return std::nullopt;
        return ChannelValue(*ch, form, word.c_str());
    }
    return std::nullopt;
}

const FormulaChannel* FormulaParser::CurrentRawChannel() const {
    std::string prefix;
    int n = 0;
    if (source_ == nullptr || !SplitIndexed(current_, prefix, n) || prefix != "d") return nullptr;
    const FormulaChannel* ch = source_->ChannelByNumber(n);
    return ch != nullptr && ch->raw != nullptr ? ch : nullptr;
}

// station:channel (raw over the span), station:channel:t (transformed), :s (raw between the
// marks), :st (transformed between the marks).
std::optional<SignalVector> FormulaParser::ChannelVariable(const std::string& word) {
    const std::vector<std::string> parts = SplitColons(word);
    if (parts.size() < 2 || parts.size() > 3 || parts[0].empty() || parts[1].empty()) return std::nullopt;
    const std::string suffix = parts.size() == 3 ? parts[2] : "";
    ChannelForm form;
    if (suffix.empty())
        form = ChannelForm::Raw;
    else if (suffix == "t")
        form = ChannelForm::Transformed;
    else if (suffix == "s")
        form = ChannelForm::RawMarks;
    else if (suffix == "st")
        form = ChannelForm::TransformedMarks;
    else
        return std::nullopt;
    const FormulaChannel* ch = source_ ? source_->ChannelByCode(parts[0], parts[1]) : nullptr;
    if (ch == nullptr) return std::nullopt;
    return ChannelValue(*ch, form, word.c_str());
}

namespace {

// One evaluation with every failure turned into a message.
template <class Work>
bool Guarded(std::string& errorText, Work&& work) {
    errorText.clear();
    try {
        work();
        return true;
    } catch (const ZelError& e) {
        errorText = CutMessage(e.what());
    } catch (const std::bad_alloc&) {
        errorText = Tr(kNoMemoryText);
    } catch (const std::length_error&) {
        errorText = Tr(kNoMemoryText);
    }
    return false;
}

}  // namespace

bool EvaluateFormula(std::string_view text, SignalVector& result, std::string& errorText,
                     FormulaInterface* source) {
    return Guarded(errorText, [&] { result = FormulaParser(text, source, {}).Evaluate(); });
}

bool EvaluateFormulaFloat(std::string_view text, std::string_view currentName, std::vector<float>& samples,
                          float& dx, std::string& errorText, FormulaInterface* source) {
    return Guarded(errorText, [&] {
        double interval = 0;
        samples = FormulaFloats(text, currentName, source, interval);
        dx = static_cast<float>(interval);
    });
}

}  // namespace zel
