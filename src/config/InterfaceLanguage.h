#pragma once
// The language the interface speaks: Russian, its own, or English. A front end chooses it once at
// start (the setting, else the locale) and installs its translator; the rest only asks.

#include <optional>
#include <string>

namespace zel {

enum class InterfaceLanguage { Russian, English };

InterfaceLanguage CurrentInterfaceLanguage();
void SetCurrentInterfaceLanguage(InterfaceLanguage language);

// "ru" / "en" as ZEL.ini keeps them; anything else (an empty value included) is no choice.
std::optional<InterfaceLanguage> ParseInterfaceLanguage(const std::string& code);
const char* InterfaceLanguageCode(InterfaceLanguage language);

// The language the locale asks for, by POSIX precedence (LC_ALL, LC_MESSAGES, LANG): the first set
// variable decides; "ru…" and "en…" are a choice, "C", "POSIX" and other languages are none.
std::optional<InterfaceLanguage> LocaleInterfaceLanguage();

// The language of a start: the configured one, else the locale's, else `fallback`.
InterfaceLanguage ChooseInterfaceLanguage(const std::string& configured, InterfaceLanguage fallback);

}  // namespace zel
