#include "wave/CWindowParamStack.h"

namespace zel {

void CWindowParamStack::push(const CWindowParam& state) {
    if (states_.size() == kCapacity) states_.pop_back();
    states_.push_front(state);
}

bool CWindowParamStack::pop(CWindowParam& state) {
    if (states_.empty()) return false;
    state = states_.front();
    states_.pop_front();
    return true;
}

}  // namespace zel
