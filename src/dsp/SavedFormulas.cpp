#include "dsp/SavedFormulas.h"

#include <algorithm>

#include "base/PrivateProfile.h"

namespace zel {
namespace {

constexpr const char* kSection = "Formulas list";

std::string EntryKey(std::size_t i) { return "formula" + std::to_string(i + 1); }

std::string OneLine(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(" \t\r\n");
    std::string s(text.substr(first, last - first + 1));
    // A profile value is one line.
    std::replace(s.begin(), s.end(), '\r', ' ');
    std::replace(s.begin(), s.end(), '\n', ' ');
    return s;
}

}  // namespace

CSavedFormulas::CSavedFormulas(PrivateProfile& profile) : profile_(profile) {
    for (std::size_t i = 0; i < kMaxFormulas; ++i) {
        std::string f = profile_.getString(kSection, EntryKey(i));
        if (f.empty()) break;
        formulas_.push_back(std::move(f));
    }
}

void CSavedFormulas::use(std::string_view formula) {
    const std::string f = OneLine(formula);
    if (f.empty()) return;
    std::vector<std::string> list = formulas_;
    list.erase(std::remove(list.begin(), list.end(), f), list.end());
    list.insert(list.begin(), f);
    if (list.size() > kMaxFormulas) list.resize(kMaxFormulas);
    std::vector<ProfileChange> changes;
    for (std::size_t i = 0; i < list.size(); ++i) changes.push_back({kSection, EntryKey(i), list[i]});
    profile_.write(changes);
    formulas_ = std::move(list);
}

}  // namespace zel
