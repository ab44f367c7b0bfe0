#include "dsp/FormulaFloats.h"

#include <algorithm>
#include <optional>

#include "base/LargeBuffer.h"
#include "dsp/FormulaChannels.h"
#include "dsp/FormulaFunctions.h"
#include "dsp/FormulaParser.h"
#include "dsp/FormulaTokenizer.h"

namespace zel {
namespace {

// Samples per stretch: the stretch and the doubles its evaluation makes stay in the L2 cache.
constexpr std::size_t kStretch = 16384;

bool IsConstant(const Token& t) { return t.kind == TokenKind::Word && FormulaConstant(t.text).has_value(); }

bool IsDelimiter(const Token& t, char c) { return t.kind == TokenKind::Delimiter && t.delimiter == c; }

// The channel's samples evaluated a stretch at a time into the floats they were laid out in;
// nothing when a stretch's value does not keep the stretch's count (then only the whole
// evaluation can say what the formula gives).
std::optional<std::vector<float>> ByStretches(std::string_view text, const FormulaParser& whole,
                                              const FormulaChannel& channel, double& dx) {
    double rate = 0;
    std::vector<float> out = ChannelSpanFloats(*channel.raw, channel.spanStart, channel.spanLength, rate,
                                               whole.CurrentName().c_str());
    if (out.size() < 2 * kStretch) return std::nullopt;  // short enough to evaluate whole
    for (std::size_t i = 0; i < out.size();) {
        const std::size_t n = std::min(kStretch, out.size() - i);
        const auto first = out.begin() + static_cast<std::ptrdiff_t>(i);
        const SignalVector current(std::vector<double>(first, first + static_cast<std::ptrdiff_t>(n)),
                                   1.0 / rate);
        FormulaParser parser(text, nullptr, whole.CurrentName());
        parser.BindCurrent(&current);
        const SignalVector value = parser.Evaluate();
        if (value.Count() != n) return std::nullopt;
        if (i == 0) dx = value.dx;
        std::copy(value.Values().begin(), value.Values().end(), first);
        i += n;
    }
    return out;
}

}  // namespace

bool WorksSampleBySample(std::string_view text) {
    std::vector<Token> tokens;
    FormulaTokenizer tokenizer(text);
    for (Token t = tokenizer.Next(); t.kind != TokenKind::End; t = tokenizer.Next())
        tokens.push_back(std::move(t));
    bool namesCurrent = false;
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        const Token& t = tokens[i];
        if (t.kind == TokenKind::Invalid) return false;
        if (t.kind == TokenKind::Word) {
            if (t.text == "current")
                namesCurrent = true;
            else if (!IsConstant(t) && !IsSampleBySampleFunction(t.text))
                return false;
        }
        if (IsDelimiter(t, '^')) {
            std::size_t r = i + 1;
            if (r < tokens.size() && (IsDelimiter(tokens[r], '+') || IsDelimiter(tokens[r], '-'))) ++r;
            if (r >= tokens.size() || !(tokens[r].kind == TokenKind::Number || IsConstant(tokens[r])))
                return false;
            if (r + 1 < tokens.size() && IsDelimiter(tokens[r + 1], '^')) return false;
            i = r;
        }
    }
    return namesCurrent;
}

std::vector<float> FormulaFloats(std::string_view text, std::string_view currentName,
                                 FormulaInterface* source, double& dx) {
    FormulaParser whole(text, source, currentName);
    if (const FormulaChannel* channel = whole.CurrentRawChannel();
        channel != nullptr && WorksSampleBySample(text))
        if (std::optional<std::vector<float>> out = ByStretches(text, whole, *channel, dx))
            return std::move(*out);
    SignalVector value = whole.Evaluate();
    dx = value.dx;
    std::vector<double> values = value.Release();
    std::vector<float> out;
    ConvertReleasing(values, out);
    return out;
}

}  // namespace zel
