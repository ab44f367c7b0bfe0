#pragma once
// Drawing the keys of an event (orid, arid, commid) from LASTID. A draw that fails is a failed
// save, never a key of -1 written into a row.

#include <cstdint>

#include "base/UserText.h"

namespace zel {

class Databases;

inline constexpr const char* kNoNewOrid = ZEL_TR_NOOP("Ошибка при получении нового ORID");
inline constexpr const char* kNoNewArid = ZEL_TR_NOOP("Ошибка при получении нового ARID");
inline constexpr const char* kNoNewCommid = ZEL_TR_NOOP("Ошибка при получении нового COMMID");

// A new key of an INT column. Throws ZelError(failure) when none could be drawn or it does not fit.
std::int32_t DrawKey(Databases& databases, const char* keyName, const char* failure);

}  // namespace zel
