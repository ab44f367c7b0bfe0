#include "config/ConfigPaths.h"

#include <gtest/gtest.h>

#include <map>

namespace zel {
namespace {

Environment Env(std::map<std::string, std::string> vars) {
    return [vars = std::move(vars)](const char* name) -> const char* {
        auto it = vars.find(name);
        return it == vars.end() ? nullptr : it->second.c_str();
    };
}

TEST(ConfigPaths, FollowTheOverrideThenXdgThenHome) {
    auto plain = Env({{"HOME", "/home/an"}});
    EXPECT_EQ(ZelIniPath(plain), "/home/an/.config/zel/ZEL.ini");
    EXPECT_EQ(RegistryIniPath(plain), "/home/an/.config/zel/registry.ini");
    EXPECT_EQ(EmbeddedDatabasePath(plain), "/home/an/.local/share/zel/zel.db");

    auto xdg = Env({{"HOME", "/home/an"}, {"XDG_CONFIG_HOME", "/cfg"}, {"XDG_DATA_HOME", "/data"}});
    EXPECT_EQ(ZelIniPath(xdg), "/cfg/zel/ZEL.ini");
    EXPECT_EQ(RegistryIniPath(xdg), "/cfg/zel/registry.ini");
    EXPECT_EQ(EmbeddedDatabasePath(xdg), "/data/zel/zel.db");

    // Empty or relative XDG values are invalid and ignored.
    auto badXdg = Env({{"HOME", "/home/an"}, {"XDG_CONFIG_HOME", ""}, {"XDG_DATA_HOME", "rel/data"}});
    EXPECT_EQ(ZelIniPath(badXdg), "/home/an/.config/zel/ZEL.ini");
    EXPECT_EQ(EmbeddedDatabasePath(badXdg), "/home/an/.local/share/zel/zel.db");

    auto own = Env({{"HOME", "/home/an"}, {"XDG_CONFIG_HOME", "/cfg"}, {"ZEL_INI", "/etc/zel/station.ini"}});
    EXPECT_EQ(ZelIniPath(own), "/etc/zel/station.ini");
    EXPECT_EQ(RegistryIniPath(own), "/etc/zel/registry.ini");
    EXPECT_EQ(ZelIniPath(Env({{"HOME", "/h"}, {"ZEL_INI", ""}})), "/h/.config/zel/ZEL.ini");

    // Without HOME the password database gives the home directory.
    EXPECT_FALSE(ZelIniPath(Env({})).empty());
    EXPECT_EQ(ZelIniPath(Env({})).substr(0, 1), "/");

    std::string exeDir = ExecutableDirectory();
    ASSERT_FALSE(exeDir.empty());
    EXPECT_EQ(exeDir.back(), '/');
    EXPECT_EQ(exeDir.front(), '/');
}

}  // namespace
}  // namespace zel
