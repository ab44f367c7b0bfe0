#include "config/InterfaceLanguage.h"

#include <atomic>
#include <cstdlib>

namespace zel {
namespace {

std::atomic<InterfaceLanguage> g_language{InterfaceLanguage::Russian};

}  // namespace

InterfaceLanguage CurrentInterfaceLanguage() { return g_language.load(); }

void SetCurrentInterfaceLanguage(InterfaceLanguage language) { g_language.store(language); }

std::optional<InterfaceLanguage> ParseInterfaceLanguage(const std::string& code) {
    if (code.rfind("ru", 0) == 0) return InterfaceLanguage::Russian;
    if (code.rfind("en", 0) == 0) return InterfaceLanguage::English;
    return std::nullopt;
}

const char* InterfaceLanguageCode(InterfaceLanguage language) {
    return language == InterfaceLanguage::English ? "en" : "ru";
}

std::optional<InterfaceLanguage> LocaleInterfaceLanguage() {
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(name);
        if (value && *value) return ParseInterfaceLanguage(value);
    }
    return std::nullopt;
}

InterfaceLanguage ChooseInterfaceLanguage(const std::string& configured, InterfaceLanguage fallback) {
    if (auto chosen = ParseInterfaceLanguage(configured)) return *chosen;
    return LocaleInterfaceLanguage().value_or(fallback);
}

}  // namespace zel
