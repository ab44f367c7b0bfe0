#include "base/UserText.h"

#include <atomic>

namespace zel {
namespace {

std::atomic<TextTranslator> g_translator{nullptr};

std::string Translate(const char* id) {
    const TextTranslator translator = g_translator.load();
    return translator ? translator(id) : std::string(id);
}

}  // namespace

void SetTextTranslator(TextTranslator translator) { g_translator.store(translator); }

UserText::UserText(const char* id) : std::string(Translate(id)), id_(id), template_(*this) {}

UserText& UserText::arg(std::string_view value) {
    args_.emplace_back(value);
    std::string::operator=(FillTemplate(template_, args_));
    return *this;
}

UserText& UserText::arg(long long value) { return arg(std::to_string(value)); }

std::string FillTemplate(std::string_view templ, const std::vector<std::string>& values) {
    std::string text;
    text.reserve(templ.size());
    for (std::size_t i = 0; i < templ.size(); ++i) {
        const char c = templ[i];
        if (c == '%' && i + 1 < templ.size() && templ[i + 1] >= '1' && templ[i + 1] <= '9') {
            const auto n = static_cast<std::size_t>(templ[i + 1] - '1');
            if (n < values.size()) {
                text += values[n];
                ++i;
                continue;
            }
        }
        text += c;
    }
    return text;
}

}  // namespace zel
