#include "config/ConfigPaths.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <vector>

#include "base/ZelError.h"

namespace fs = std::filesystem;

namespace zel {

namespace {

const char* ProcessEnvironment(const char* name) { return std::getenv(name); }

std::string Nonempty(const Environment& env, const char* name) {
    const char* v = env(name);
    return v ? std::string(v) : std::string();
}

std::string HomeDirectory(const Environment& env) {
    std::string home = Nonempty(env, "HOME");
    if (!home.empty()) return home;
    std::vector<char> buf(16384);
    passwd pw{};
    passwd* found = nullptr;
    if (::getpwuid_r(::getuid(), &pw, buf.data(), buf.size(), &found) == 0 && found && found->pw_dir &&
        *found->pw_dir)
        return found->pw_dir;
    throw ZelError("Не удалось определить домашний каталог пользователя (переменная HOME не задана)");
}

// The XDG rules: an unset, empty or relative value means "use the default under home".
fs::path XdgBase(const Environment& env, const char* variable, const char* homeRelative) {
    std::string value = Nonempty(env, variable);
    if (!value.empty() && value.front() == '/') return value;
    return fs::path(HomeDirectory(env)) / homeRelative;
}

}  // namespace

std::string ZelIniPath(const Environment& env) {
    std::string explicitPath = Nonempty(env, "ZEL_INI");
    if (!explicitPath.empty()) return explicitPath;
    return (XdgBase(env, "XDG_CONFIG_HOME", ".config") / "zel" / "ZEL.ini").string();
}

std::string RegistryIniPath(const Environment& env) {
    return (fs::path(ZelIniPath(env)).parent_path() / "registry.ini").string();
}

std::string EmbeddedDatabasePath(const Environment& env) {
    return (XdgBase(env, "XDG_DATA_HOME", ".local/share") / "zel" / "zel.db").string();
}

std::string ZelIniPath() { return ZelIniPath(ProcessEnvironment); }
std::string RegistryIniPath() { return RegistryIniPath(ProcessEnvironment); }
std::string EmbeddedDatabasePath() { return EmbeddedDatabasePath(ProcessEnvironment); }

std::string ExecutableDirectory() {
    std::error_code ec;
    fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    fs::path dir = ec ? fs::current_path(ec) : exe.parent_path();
    std::string text = dir.string();
    if (text.empty() || text.back() != '/') text += '/';
    return text;
}

}  // namespace zel
