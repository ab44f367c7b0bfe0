#pragma once
// What the formula dialogs of the DSP workspace show on their buttons: for each function the
// text inserted at the caret and its help line, and the same for constants and operators.

#include <span>
#include <string_view>

namespace zel {

struct FormulaButton {
    std::string_view name;      // the function, constant or operator the button stands for
    std::string_view insert;    // the template put into the formula at the caret
    std::string_view helpText;  // shown when the button is used: a whole literal, translated there
};

// The functions that have buttons, with their help texts as the user interface has them.
std::span<const FormulaButton> FormulaFunctionButtons();

// Constants, "current", operators, brackets and the window-name chooser.
std::span<const FormulaButton> FormulaOtherButtons();

// The button of a function or other name (exact, lower case), or null.
const FormulaButton* FindFormulaButton(std::string_view name);

}  // namespace zel
