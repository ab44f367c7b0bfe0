#include "events/CurrentEvent.h"

namespace zel {

CurrentEvent& TheCurrentEvent() {
    static CurrentEvent event;
    return event;
}

}  // namespace zel
