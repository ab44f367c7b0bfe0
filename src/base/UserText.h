#pragma once
// Every text the analyst reads is written here in Russian, the interface's own language, and that
// Russian template is its identity. A front end installs the translator of the language it shows
// (Qt's, over the English catalogue); Tr passes a template through it and arg() then fills the
// %1..%9 of the translated template, so a translation may put the values in any order.
//
// lupdate finds the templates by the names Tr and ZEL_TR_NOOP (scripts/update-translations.sh).

#include <string>
#include <string_view>
#include <vector>

namespace zel {

// Marks a template kept in a table: it is translated where it is used, with Tr(entry).
#define ZEL_TR_NOOP(id) id

using TextTranslator = std::string (*)(const char* id);

// nullptr restores the Russian templates themselves.
void SetTextTranslator(TextTranslator translator);

class UserText : public std::string {
  public:
    explicit UserText(const char* id);

    // Fills the next placeholder: the first arg() is %1, the second %2, ...
    UserText& arg(std::string_view value);
    UserText& arg(long long value);
    UserText& arg(int value) { return arg(static_cast<long long>(value)); }
    UserText& arg(std::size_t value) { return arg(static_cast<long long>(value)); }

    const std::string& id() const { return id_; }
    const std::vector<std::string>& args() const { return args_; }

  private:
    std::string id_, template_;
    std::vector<std::string> args_;
};

inline UserText Tr(const char* id) { return UserText(id); }

// The %1..%9 of a template replaced by the values in one pass (a value's own "%2" stays as it
// is); a placeholder without a value is kept.
std::string FillTemplate(std::string_view templ, const std::vector<std::string>& values);

}  // namespace zel
