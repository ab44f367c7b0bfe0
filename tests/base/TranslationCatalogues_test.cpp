// The translation catalogues of the repository, read as lrelease reads them: every text has a
// finished translation that keeps the values it is filled with, so a translated template can
// never lose a value, print a wrong one, or hand printf a conversion it was not given.

#include <gtest/gtest.h>

#include <algorithm>
#include <pugixml.hpp>
#include <regex>
#include <string>
#include <vector>

#include "base/UserText.h"

namespace zel {
namespace {

std::string CatalogueDir() { return std::string(ZEL_RESOURCES_DIR) + "/translations/"; }

// The values a text takes, in order: printf conversions, and the %1..%9 sorted (a translation
// may reorder those).
std::vector<std::string> Conversions(const std::string& text) {
    static const std::regex printf(R"(%[-+ #0]*[0-9]*(\.[0-9]+)?(l|ll|z|h)?[diouxXeEfgGcsp])");
    std::vector<std::string> found;
    for (auto it = std::sregex_iterator(text.begin(), text.end(), printf); it != std::sregex_iterator(); ++it)
        found.push_back(it->str());
    std::vector<std::string> numbered;
    for (std::size_t i = 0; i + 1 < text.size(); ++i)
        if (text[i] == '%' && text[i + 1] >= '1' && text[i + 1] <= '9') numbered.push_back(text.substr(i, 2));
    std::sort(numbered.begin(), numbered.end());
    found.insert(found.end(), numbered.begin(), numbered.end());
    return found;
}

int Mnemonics(const std::string& text) {
    int n = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '&') continue;
        if (i + 1 < text.size() && text[i + 1] == '&')
            ++i;
        else if (i + 1 < text.size() && text[i + 1] != ' ')
            ++n;
    }
    return n;
}

bool HasCyrillic(const std::string& text) {
    // Cyrillic letters are U+0400..U+04FF: lead bytes 0xD0..0xD3 in UTF-8.
    for (unsigned char c : text)
        if (c >= 0xD0 && c <= 0xD3) return true;
    return false;
}

TEST(TranslationCataloguesTest, EveryTextHasAFinishedTranslationThatKeepsItsValues) {
    const struct {
        const char* file;
        bool englishTarget;
    } catalogues[] = {{"zel_en.ts", true}, {"zelbatch_ru.ts", false}};
    for (const auto& c : catalogues) {
        SCOPED_TRACE(c.file);
        pugi::xml_document doc;
        ASSERT_TRUE(doc.load_file((CatalogueDir() + c.file).c_str()));
        int messages = 0;
        for (const pugi::xpath_node& node : doc.select_nodes("//message")) {
            const pugi::xml_node message = node.node();
            const std::string id = message.attribute("id").value();
            const pugi::xml_node translation = message.child("translation");
            const std::string text = translation.text().get();
            const std::string type = translation.attribute("type").value();
            if (type == "vanished" || type == "obsolete") continue;
            ++messages;
            EXPECT_TRUE(type.empty() && !text.empty()) << "unfinished: " << id;
            EXPECT_EQ(Conversions(text), Conversions(id)) << id << " -> " << text;
            EXPECT_EQ(Mnemonics(text), Mnemonics(id)) << id << " -> " << text;
            if (c.englishTarget) {
                EXPECT_FALSE(HasCyrillic(text)) << id << " -> " << text;
            }
        }
        EXPECT_GT(messages, 20);
    }
}

TEST(TranslationCataloguesTest, TemplatesAreFilledInOnePassInAnyOrder) {
    const struct {
        const char* templ;
        std::vector<std::string> values;
        const char* filled;
    } cases[] = {
        {"Нет файла %1", {"a.txt"}, "Нет файла a.txt"},
        {"%2 before %1", {"one", "two"}, "two before one"},
        {"%1 holds a %2", {"100%2", "x"}, "100%2 holds a x"},  // a value's own placeholder stays
        {"%1 of %3", {"a"}, "a of %3"},                        // a missing value keeps its place
        {"100% sure, %d", {"a"}, "100% sure, %d"},
    };
    for (const auto& c : cases) EXPECT_EQ(FillTemplate(c.templ, c.values), c.filled) << c.templ;
}

}  // namespace
}  // namespace zel
