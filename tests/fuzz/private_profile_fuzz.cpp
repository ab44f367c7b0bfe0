// libFuzzer target for private-profile files (ZEL.ini, worksheets, the registry store): any file
// reads without harm, and a write into it keeps every value it does not touch.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "FuzzSupport.h"
#include "base/PrivateProfile.h"
#include "base/ZelError.h"

namespace {

bool SameName(const std::string& a, const std::string& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char x, char y) { return std::tolower(static_cast<unsigned char>(x)) ==
                                                  std::tolower(static_cast<unsigned char>(y)); });
}

struct Entry {
    std::string section, key, value;
};

// A bounded sample of what the file holds, read through the same calls the program makes.
std::vector<Entry> Sample(const zel::PrivateProfile& profile) {
    std::vector<Entry> entries;
    const auto sections = profile.sections();
    for (std::size_t s = 0; s < std::min<std::size_t>(sections.size(), 8); ++s) {
        const auto keys = profile.keys(sections[s]);
        for (std::size_t k = 0; k < std::min<std::size_t>(keys.size(), 8); ++k)
            entries.push_back({sections[s], keys[k], profile.getString(sections[s], keys[k], "\x01missing")});
    }
    return entries;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    zel::PrivateProfile profile(zel::fuzz::ScratchFile("ZEL.ini", text));

    const std::vector<Entry> before = Sample(profile);
    for (const Entry& e : before) {
        profile.getInt(e.section, e.key, 7);
        profile.getBinary(e.section, e.key);
        profile.sectionValues(e.section);
    }

    const std::string section = "Fuzz", key = "Written", value = "a,b;\"c\" \\d";
    try {
        profile.writeString(section, key, value);
    } catch (const zel::ZelError&) {
        return 0;  // refused: the file stays as it was
    }
    if (profile.getString(section, key) != value) __builtin_trap();
    for (const Entry& e : before) {
        if (SameName(e.section, section) && SameName(e.key, key)) continue;
        if (profile.getString(e.section, e.key, "\x01missing") != e.value) __builtin_trap();
    }
    return 0;
}
