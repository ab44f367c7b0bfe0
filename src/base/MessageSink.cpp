#include "base/MessageSink.h"

namespace zel {

MessageAnswer RecordingMessageSink::show(const Message& message) {
    messages_.push_back(message);
    if (answers_.empty()) return fallback;
    MessageAnswer a = answers_.front();
    answers_.erase(answers_.begin());
    return a;
}

}  // namespace zel
