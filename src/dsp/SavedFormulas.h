#pragma once
// The formulas last used in the formula dialogs (CSavedFormulas): at most 30, newest first, kept
// in the application profile as section "Formulas list", entries "formula1", "formula2", ...

#include <string>
#include <string_view>
#include <vector>

namespace zel {

class PrivateProfile;

class CSavedFormulas {
  public:
    static constexpr std::size_t kMaxFormulas = 30;

    // Reads the list: formula1, formula2, ... up to the first missing or empty entry.
    explicit CSavedFormulas(PrivateProfile& profile);

    const std::vector<std::string>& formulas() const { return formulas_; }

    // Puts the formula at the head of the list (an earlier copy moves up rather than repeating;
    // the oldest beyond 30 falls off) and writes the list back in one rewrite. A blank formula is
    // not kept. Throws ZelError when the profile cannot be written.
    void use(std::string_view formula);

  private:
    PrivateProfile& profile_;
    std::vector<std::string> formulas_;
};

}  // namespace zel
