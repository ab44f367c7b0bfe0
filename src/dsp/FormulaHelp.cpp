#include "dsp/FormulaHelp.h"

#include "base/UserText.h"

namespace zel {
namespace {

// Help texts are kept byte for byte, trailing blanks and the line break in imfft's included; they
// are templates translated where they are shown. Names and inserted templates are the language's
// own and never translated.
constexpr FormulaButton kFunctionButtons[] = {
    {"abs", "abs(w)", ZEL_TR_NOOP("abs(W) - Produces the absolute value of any expression")},
    {"avspectrum", "avspectrum(w , points , shift)",
     ZEL_TR_NOOP(
         "avspectrum(W, points, shift) - Осредненный спектр сигнала W в скользящем окне, points - количество "
         "точек в "
         "окне, shift - сдвиг окна ")},
    {"atan", "atan(w)", ZEL_TR_NOOP("atan(W) - Calculates the arc-tangent of any expression")},
    {"ceil", "ceil(w)",
     ZEL_TR_NOOP("ceil(W) - Finds the smallest integer greater than or equal to the input value")},
    {"hanning", "hanning(w)",
     ZEL_TR_NOOP("hanning(W) - Multiplies a signal by Hanning Window 0.5*(1.-cos(2*pi*i/(nn-1)))")},
    {"cos", "cos(w)", ZEL_TR_NOOP("cos(W) - Applying the cosine function of any expression")},
    {"sin", "sin(w)", ZEL_TR_NOOP("sin(W) - Applying the sine function of any expression")},
    {"tan", "tan(w)", ZEL_TR_NOOP("tan(W) - Applying the tangent function of any expression")},
    {"conv", "conv(w , w)", ZEL_TR_NOOP("conv(W1,W2) - Convolves two signal W1 and W2")},
    {"deriv", "deriv(w)", ZEL_TR_NOOP("deriv(W) - Derivative of signal W. Calculates by 3 points")},
    {"exp", "exp(w)", ZEL_TR_NOOP("exp(W) - e**W (e=2.71828...)")},
    {"extract", "extract(w , 1 , 2)",
     ZEL_TR_NOOP("extract(W, start, length) - Makes a new signal by extracting a portion of another signal")},
    {"floor", "floor(w)",
     ZEL_TR_NOOP("floor(W) - Finds the greatest integer less or equal to the input value")},
    {"gcos", "gcos(points, spacing, fr , phase )",
     ZEL_TR_NOOP("gcos(points, spacing[, v [, fi ]]) - Generates a cosine curve cos(2*pi*v*t+fi)")},
    {"gline", "gline(points, spacing, a , b )",
     ZEL_TR_NOOP("gline(points, spacing, a, b) - Generates a line y=a*t+b")},
    {"gsin", "gsin(points, spacing, fr , phase )",
     ZEL_TR_NOOP("gsin(points, spacing[, v [, fi ]]) - Generates a sine curve sin(2*pi*v*t+fi)")},
    {"imfft", "imfft(w)",
     ZEL_TR_NOOP("imfft(W) - Imaginary part of the first half of the FFT of the W.\n W padding zeros to "
                 "signal length "
                 "will be "
                 "power of 2")},
    {"integ", "integ(w)", ZEL_TR_NOOP("integ(W)- - Calculates the integral of the W. ")},
    {"kaiser", "kaiser(w , 7.865)",
     ZEL_TR_NOOP("kaiser(W[,b]) - Multiplies a signal by Kaiser window. W padding zeros to signal length "
                 "will be power "
                 "of 2")},
    {"linreg", "linreg(w)",
     ZEL_TR_NOOP("linreg(W) - Determines the best linear fit to a signal. Returns generated line")},
    {"log10", "log10(w)", ZEL_TR_NOOP("log10(W) - Calculates the based 10 logarithm of the W")},
    {"log", "log(w)", ZEL_TR_NOOP("log(W) - Calculates the natural logarithm of the W")},
    {"max", "max(w)", ZEL_TR_NOOP("max(W) - Finds maximum value of the W")},
    {"mean", "mean(w)", ZEL_TR_NOOP("mean(W) - Finds the mean value of the W")},
    {"min", "min(w)", ZEL_TR_NOOP("min(W) - Finds minimum value of the W")},
    {"rand", "rand(points, spacing)",
     ZEL_TR_NOOP("rand(points, spacing) - Generates points pseudorandom numbers between 0.0 and 1.0")},
    {"refft", "refft(w)",
     ZEL_TR_NOOP("refft(W) - Real part of the first half of the FFT of the W. W padding by zeros to signal "
                 "length will "
                 "be power "
                 "of 2")},
    {"spectrum", "spectrum(w)",
     ZEL_TR_NOOP("spectrum(W) - Returns the magnitude of the first half of the FFT of a signal. W padding by "
                 "zeros to "
                 "signal "
                 "length will be power of 2")},
    {"sqrt", "sqrt(w)", ZEL_TR_NOOP("sqrt(W) - Calculates the square root of the W")},
    {"sizeof", "sizeof(w)", ZEL_TR_NOOP("sizeof(W) - Number of counts in the W")},
    {"interpolate", "interpolate(w , n)",
     ZEL_TR_NOOP("interpolate(W,n) - Interpolate W. n-interpolation order")},
    {"butter", "butter(W, lfr, hfr, n)",
     ZEL_TR_NOOP(
         "Butter(W, lfr, hfr, n) - Applying Butterworth filter to the W. lfr, hfr - low and high cutoff "
         "frequences, n - "
         "filter order")},
    {"rectilin", "rectilin(Z, X, Y, N)",
     ZEL_TR_NOOP("rectilin(Z, X, Y, N) - Rectilinearity of particle 3d motion described by Z, X, Y dataset; "
                 "N - sliding "
                 "window "
                 "samples")},
    {"planar", "planar(Z, X, Y, N)",
     ZEL_TR_NOOP("planar(Z, X, Y, N) - Planarity of particle 3d motion described by Z, X, Y dataset; N - "
                 "sliding window "
                 "length "
                 "in samples")},
    {"spectrogram", "spectrogram(w , 256 , 128)",
     ZEL_TR_NOOP("spectrogram(W, n, overlap[, f1, f2]) - Средняя спектральная плотность мощности сигнала W "
                 "в полосе f1..f2 Гц (по умолчанию по всем частотам) в скользящем окне Ханна: n - количество "
                 "точек в окне, overlap - перекрытие окон в точках; одно значение на окно, dx - сдвиг окна")},
};

constexpr FormulaButton kOtherButtons[] = {
    {"pi", "pi", ZEL_TR_NOOP("pi - 3.1415926535897932384626")},
    {"e", "e", ZEL_TR_NOOP("e - 2.7182818284590452353602874")},
    {"deg", "deg", ZEL_TR_NOOP("deg - 57.29577951308232087680")},
    {"current", "current", ZEL_TR_NOOP("Current window identifier")},
    {"-", "-", ZEL_TR_NOOP("Subtraction")},
    {"+", "+", ZEL_TR_NOOP("Addition")},
    {"/", "/", ZEL_TR_NOOP("Dividing")},
    {"*", "*", ZEL_TR_NOOP("Multiplying")},
    {"(", "(", ZEL_TR_NOOP("left bracket")},
    {")", ")", ZEL_TR_NOOP("right bracket")},
    {"w", "w", ZEL_TR_NOOP("Select window name")},
};

}  // namespace

std::span<const FormulaButton> FormulaFunctionButtons() { return kFunctionButtons; }
std::span<const FormulaButton> FormulaOtherButtons() { return kOtherButtons; }

const FormulaButton* FindFormulaButton(std::string_view name) {
    for (const FormulaButton& b : kFunctionButtons)
        if (b.name == name) return &b;
    for (const FormulaButton& b : kOtherButtons)
        if (b.name == name) return &b;
    return nullptr;
}

}  // namespace zel
