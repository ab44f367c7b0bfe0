#pragma once
// Paths of a ZEL run kept entirely inside a test's temporary folder.

#include "session/AppContext.h"
#include "support/TempDir.h"

namespace zel::test {

AppPaths TestAppPaths(const TempDir& dir);

}  // namespace zel::test
