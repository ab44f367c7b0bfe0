#include "support/TestAppPaths.h"

namespace zel::test {

AppPaths TestAppPaths(const TempDir& dir) {
    AppPaths p;
    p.ini = dir.file("config/ZEL.ini");
    p.registry = dir.file("config/registry.ini");
    p.embeddedDatabase = dir.file("data/zel.db");
    p.demoDiskLoop = dir.file("data/diskloop");
    p.executableDir = dir.file("bin/");
    p.resources = ZEL_RESOURCES_DIR;
    return p;
}

}  // namespace zel::test
