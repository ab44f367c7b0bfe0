#pragma once
// The questions asked before ZEL closes, so that no analyst loses a phase list by accident.

#include <functional>

#include "base/MessageSink.h"

namespace zel {

// True when the program may close. A phase list with changes not saved (nothingToSave false)
// offers to save it first; if the save fails or is cancelled the program stays open.
bool ConfirmExit(bool nothingToSave, MessageSink& messages, const std::function<bool()>& savePhaseList);

}  // namespace zel
