// The grammar, the tokenizer and the interpreter's own messages, all under a comma-decimal
// locale: a formula must read "1.5" the same whatever the desktop's language is.

#include <cmath>
#include <string>
#include <vector>

#include "dsp/FormulaTestSupport.h"

namespace zel::test {
namespace {

const std::string kError = "Ошибка";
const std::string kNoClose = "Отсутствует )";
std::string Undefined(const std::string& w) { return "'" + w + "' - undefined variables or function"; }

using FormulaGrammar = CommaLocaleTest;

TEST_F(FormulaGrammar, NumbersAndOperators) {
    struct Case {
        const char* formula;
        double expected;
    };
    const Case cases[] = {
        {"2+3*4", 14},
        {"(2+3)*4", 20},
        {"10-4-3", 3},  // left-associative
        {"64/4/2", 8},
        {"2^3^2", 512},  // right-associative
        {"-2^2", 4},     // the sign binds tighter than ^
        {"2^1", 2},
        {"2^0", 1},  // a true power, not repeated multiplication
        {"2^-1", 0.5},
        {"4^0.5", 2},
        {"2^10", 1024},
        {"7%3", 1},
        {"-7%3", -1},
        {"7.5%2", 1.5},
        {"3000000000%7", 4},  // quotient beyond 32 bits
        {"-3000000000%7", -4},
        {"5/0", 0},
        {"0/0", 1},
        {"5%0", 0},
        {"0%0", 1},
        {"1e3", 1000},
        {"1e-3", -2},  // "1e" then minus 3
        {"1E2", 100},
        {"2pi", 2},  // one number token
        {"1.5+1", 2.5},
        {".5", 0.5},
        {".", 0},
        {"1,5", 1},  // the comma ends the formula
        {"1+2;5", 3},
        {"1+2=4", 3},
        {"3>2", 3},
        {"1 $", 1},
        {" \t 2 *\t3 ", 6},
        {"+2", 2},
        {"-(2+3)", -5},
        {"2*-3", -6},
        {"PI", 3.141592653589793},
        {"pi", 3.141592653589793},
        {"E", 2.718281828459045},
        {"Deg", 57.29577951308232},
        {"current", 0},  // nothing designated
        {"w0", 0},       // no workspace
        {"W63", 0},
    };
    for (const Case& c : cases) {
        const Outcome o = Eval(std::string(c.formula));
        ASSERT_TRUE(o.ok) << c.formula << ": " << o.error;
        ASSERT_EQ(o.samples.size(), 1u) << c.formula;
        EXPECT_DOUBLE_EQ(o.samples[0], c.expected) << c.formula;
        EXPECT_EQ(o.dx, 1.0) << c.formula;
    }
    EXPECT_EQ(Eval(std::string("1+2\0+5", 6)).samples.at(0), 3.0);  // the text ends at a NUL
    EXPECT_NEAR(Eval("SIN(pi)").samples.at(0), 0.0, 1e-15);
    EXPECT_NEAR(Eval("Sqrt(2)^2").samples.at(0), 2.0, 1e-15);
}

TEST_F(FormulaGrammar, InterpreterMessages) {
    const std::string tooDeep = "Ошибка: слишком глубокая вложенность формулы";
    struct Case {
        std::string formula;
        std::string error;
    };
    const std::vector<Case> cases = {
        {"", kError},
        {"   ", kError},
        {"1+", kError},
        {"2*", kError},
        {")", kError},
        {",", kError},
        {"--2", kError},
        {"$", kError},
        {"\n1", kError},  // a line break is no blank
        {"абв", kError},  // only ASCII letters start a word
        {std::string("1+\0 2", 5), kError},
        {"(1+2", kNoClose},
        {"(1$", kNoClose},
        {"((1)", kNoClose},
        {"a", Undefined("a")},
        {"FOO+1", Undefined("foo")},
        {"1+2 foo", Undefined("foo")},  // the word after the formula is still read
        {"w64", Undefined("w64")},
        {"w07", Undefined("w07")},
        {"d1", Undefined("d1")},  // no waveform window
        {"abc:shz", Undefined("abc:shz")},
        {"sin", "Нет скобки '('"},
        {"sin(1", "Нет парной скобки ')'"},
        {"max(1", kError},
        {"max 1", kError},
        {std::string(300, '(') + "1" + std::string(300, ')'), tooDeep},
        {std::string(300, '-') + "1", kError},
        {"sin(" + std::string(300, '(') + "1", tooDeep},
    };
    for (const Case& c : cases) EXPECT_EQ(ErrorOf(c.formula), c.error) << c.formula;

    // Nesting well inside the limit is fine.
    EXPECT_EQ(Eval(std::string(150, '(') + "7" + std::string(150, ')')).samples.at(0), 7.0);
    std::string powers = "1";
    for (int i = 0; i < 150; ++i) powers += "^1";
    EXPECT_EQ(Eval(powers).samples.at(0), 1.0);

    // An error text is cut to the caller's buffer without splitting a character.
    const Outcome o = Eval("q" + std::string(1020, 'y') + "ж");
    ASSERT_FALSE(o.ok);
    EXPECT_LE(o.error.size(), kMaxFormulaErrorLength);
    EXPECT_EQ(o.error.substr(0, 2), "'q");
    EXPECT_NE(static_cast<unsigned char>(o.error.back()) & 0xC0, 0x80) << "cut inside a UTF-8 character";
}

TEST_F(FormulaGrammar, ShapeAndIntervalOfOperators) {
    FakeFormulaSource src;
    std::vector<double> a(1000), b(800);
    for (std::size_t i = 0; i < a.size(); ++i) a[i] = static_cast<double>(i);
    for (std::size_t i = 0; i < b.size(); ++i) b[i] = 10000.0 + static_cast<double>(i);
    src.workspace[0] = Signal(a, 0.01);
    src.workspace[1] = Signal(b, 0.02);
    src.workspace[2] = Signal(b, 1.0);
    src.workspace[3] = Signal({1, 2, 3}, 0.01);

    struct Case {
        const char* formula;
        std::size_t count;
        double dx;
        double first;
        double last;
    };
    const Case cases[] = {
        {"w0+w1", 800, 0.02, 10000, 799 + 10799},  // pairs by index; the other interval is taken
        {"w1+w0", 800, 0.01, 10000, 799 + 10799},
        {"w0+w2", 800, 0.01, 10000, 799 + 10799},  // an interval of 1 never wins
        {"w0*2", 1000, 0.01, 0, 1998},
        {"2*w0", 1000, 0.01, 0, 1998},
        {"w0-1", 1000, 0.01, -1, 998},
        {"1-w0", 1000, 0.01, 1, -998},
        {"-w0", 1000, 0.01, 0, -999},
        {"w0^2", 1000, 0.01, 0, 999.0 * 999.0},
        {"w3^w0", 3, 0.01, 1, 1},  // the exponent is the first sample of the right side: 0
        {"w3^(w0+2)", 3, 0.01, 1, 9},
        {"2^w3", 1, 1.0, 2, 2},
        {"w3/(w3-2)", 3, 0.01, -1, 3},     // 2/0 gives 0
        {"(w3-2)/(w3-2)", 3, 0.01, 1, 1},  // 0/0 gives 1
        {"w3%2", 3, 0.01, 1, 1},
        {"w3;w0", 3, 0.01, 1, 3},
    };
    for (const Case& c : cases) {
        const Outcome o = Eval(c.formula, &src);
        ASSERT_TRUE(o.ok) << c.formula << ": " << o.error;
        EXPECT_EQ(o.samples.size(), c.count) << c.formula;
        EXPECT_DOUBLE_EQ(o.dx, c.dx) << c.formula;
        EXPECT_DOUBLE_EQ(o.samples.front(), c.first) << c.formula;
        EXPECT_DOUBLE_EQ(o.samples.back(), c.last) << c.formula;
    }
    const Outcome mid = Eval("w3/(w3-2)", &src);
    EXPECT_EQ(mid.samples, (std::vector<double>{-1, 0, 3}));
}

TEST_F(FormulaGrammar, FloatInterfaceAndCurrent) {
    FakeFormulaSource src;
    src.workspace[5] = Signal({1.5, -2.25, 4}, 0.125);
    std::vector<float> out;
    float dx = 0;
    std::string error;
    ASSERT_TRUE(EvaluateFormulaFloat("current*2", "W5", out, dx, error, &src)) << error;
    EXPECT_EQ(out, (std::vector<float>{3.0f, -4.5f, 8.0f}));
    EXPECT_EQ(dx, 0.125f);
    EXPECT_TRUE(error.empty());

    // "current" standing for a name that names nothing, or for itself, is the fresh vector.
    ASSERT_TRUE(EvaluateFormulaFloat("current+1", "d9", out, dx, error, &src));
    EXPECT_EQ(out, (std::vector<float>{1.0f}));
    ASSERT_TRUE(EvaluateFormulaFloat("current+1", "current", out, dx, error, &src));
    EXPECT_EQ(out, (std::vector<float>{1.0f}));

    // A failure leaves the message and reports false; the error text is cleared by a success.
    EXPECT_FALSE(EvaluateFormulaFloat("(1", "w5", out, dx, error, &src));
    EXPECT_EQ(error, kNoClose);
    SignalVector v;
    EXPECT_TRUE(EvaluateFormula("1", v, error));
    EXPECT_TRUE(error.empty());
}

}  // namespace
}  // namespace zel::test
