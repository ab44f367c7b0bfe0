#include "dsp/FormulaHelp.h"

namespace zel {
namespace {

// Help texts are kept byte for byte, trailing blanks and the line break in imfft's included.
constexpr FormulaButton kFunctionButtons[] = {
    {"abs", "abs(w)", "abs(W) - Produces the absolute value of any expression"},
    {"avspectrum", "avspectrum(w , points , shift)",
     "avspectrum(W, points, shift) - Осредненный спектр сигнала W в скользящем окне, points - количество "
     "точек в "
     "окне, shift - сдвиг окна "},
    {"atan", "atan(w)", "atan(W) - Calculates the arc-tangent of any expression"},
    {"ceil", "ceil(w)", "ceil(W) - Finds the smallest integer greater than or equal to the input value"},
    {"hanning", "hanning(w)",
     "hanning(W) - Multiplies a signal by Hanning Window 0.5*(1.-cos(2*pi*i/(nn-1)))"},
    {"cos", "cos(w)", "cos(W) - Applying the cosine function of any expression"},
    {"sin", "sin(w)", "sin(W) - Applying the sine function of any expression"},
    {"tan", "tan(w)", "tan(W) - Applying the tangent function of any expression"},
    {"conv", "conv(w , w)", "conv(W1,W2) - Convolves two signal W1 and W2"},
    {"deriv", "deriv(w)", "deriv(W) - Derivative of signal W. Calculates by 3 points"},
    {"exp", "exp(w)", "exp(W) - e**W (e=2.71828...)"},
    {"extract", "extract(w , 1 , 2)",
     "extract(W, start, length) - Makes a new signal by extracting a portion of another signal"},
    {"floor", "floor(w)", "floor(W) - Finds the greatest integer less or equal to the input value"},
    {"gcos", "gcos(points, spacing, fr , phase )",
     "gcos(points, spacing[, v [, fi ]]) - Generates a cosine curve cos(2*pi*v*t+fi)"},
    {"gline", "gline(points, spacing, a , b )", "gline(points, spacing, a, b) - Generates a line y=a*t+b"},
    {"gsin", "gsin(points, spacing, fr , phase )",
     "gsin(points, spacing[, v [, fi ]]) - Generates a sine curve sin(2*pi*v*t+fi)"},
    {"imfft", "imfft(w)",
     "imfft(W) - Imaginary part of the first half of the FFT of the W.\n W padding zeros to signal length "
     "will be "
     "power of 2"},
    {"integ", "integ(w)", "integ(W)- - Calculates the integral of the W. "},
    {"kaiser", "kaiser(w , 7.865)",
     "kaiser(W[,b]) - Multiplies a signal by Kaiser window. W padding zeros to signal length will be power "
     "of 2"},
    {"linreg", "linreg(w)", "linreg(W) - Determines the best linear fit to a signal. Returns generated line"},
    {"log10", "log10(w)", "log10(W) - Calculates the based 10 logarithm of the W"},
    {"log", "log(w)", "log(W) - Calculates the natural logarithm of the W"},
    {"max", "max(w)", "max(W) - Finds maximum value of the W"},
    {"mean", "mean(w)", "mean(W) - Finds the mean value of the W"},
    {"min", "min(w)", "min(W) - Finds minimum value of the W"},
    {"rand", "rand(points, spacing)",
     "rand(points, spacing) - Generates points pseudorandom numbers between 0.0 and 1.0"},
    {"refft", "refft(w)",
     "refft(W) - Real part of the first half of the FFT of the W. W padding by zeros to signal length will "
     "be power "
     "of 2"},
    {"spectrum", "spectrum(w)",
     "spectrum(W) - Returns the magnitude of the first half of the FFT of a signal. W padding by zeros to "
     "signal "
     "length will be power of 2"},
    {"sqrt", "sqrt(w)", "sqrt(W) - Calculates the square root of the W"},
    {"sizeof", "sizeof(w)", "sizeof(W) - Number of counts in the W"},
    {"interpolate", "interpolate(w , n)", "interpolate(W,n) - Interpolate W. n-interpolation order"},
    {"butter", "butter(W, lfr, hfr, n)",
     "Butter(W, lfr, hfr, n) - Applying Butterworth filter to the W. lfr, hfr - low and high cutoff "
     "frequences, n - "
     "filter order"},
    {"rectilin", "rectilin(Z, X, Y, N)",
     "rectilin(Z, X, Y, N) - Rectilinearity of particle 3d motion described by Z, X, Y dataset; N - sliding "
     "window "
     "samples"},
    {"planar", "planar(Z, X, Y, N)",
     "planar(Z, X, Y, N) - Planarity of particle 3d motion described by Z, X, Y dataset; N - sliding window "
     "length "
     "in samples"},
    {"spectrogram", "spectrogram(w , 256 , 128)",
     "spectrogram(W, n, overlap[, f1, f2]) - Средняя спектральная плотность мощности сигнала W "
     "в полосе f1..f2 Гц (по умолчанию по всем частотам) в скользящем окне Ханна: n - количество "
     "точек в окне, overlap - перекрытие окон в точках; одно значение на окно, dx - сдвиг окна"},
};

constexpr FormulaButton kOtherButtons[] = {
    {"pi", "pi", "pi - 3.1415926535897932384626"},
    {"e", "e", "e - 2.7182818284590452353602874"},
    {"deg", "deg", "deg - 57.29577951308232087680"},
    {"current", "current", "Current window identifier"},
    {"-", "-", "Subtraction"},
    {"+", "+", "Addition"},
    {"/", "/", "Dividing"},
    {"*", "*", "Multiplying"},
    {"(", "(", "left bracket"},
    {")", ")", "right bracket"},
    {"w", "w", "Select window name"},
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
