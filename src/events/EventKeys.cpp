#include "events/EventKeys.h"

#include <cstdint>

#include "base/ZelError.h"
#include "db/Databases.h"

namespace zel {

std::int32_t DrawKey(Databases& databases, const char* keyName, const char* failure) {
    const std::int64_t key = databases.nextKey(keyName);
    if (key <= 0 || key > INT32_MAX) throw ZelError(failure);
    return static_cast<std::int32_t>(key);
}

}  // namespace zel
