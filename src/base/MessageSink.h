#pragma once
// Core code that must tell the analyst something (and carry on) does it through this interface;
// the GUI answers with a message box, tests and batch runs record or print.

#include <string>
#include <vector>

namespace zel {

enum class MessageIcon { Information, Warning, Error, Question };
enum class MessageButtons { Ok, YesNo, YesNoCancel, OkCancel };
enum class MessageAnswer { Ok, Yes, No, Cancel };

struct Message {
    std::string text;
    std::string caption;
    MessageIcon icon = MessageIcon::Information;
    MessageButtons buttons = MessageButtons::Ok;
};

class MessageSink {
  public:
    virtual ~MessageSink() = default;
    virtual MessageAnswer show(const Message& message) = 0;
};

// Keeps every message and gives preset answers (first queued answer, then the fallback).
class RecordingMessageSink : public MessageSink {
  public:
    MessageAnswer show(const Message& message) override;
    void queueAnswer(MessageAnswer answer) { answers_.push_back(answer); }
    const std::vector<Message>& messages() const { return messages_; }
    void clear() { messages_.clear(); }

    MessageAnswer fallback = MessageAnswer::Ok;

  private:
    std::vector<Message> messages_;
    std::vector<MessageAnswer> answers_;
};

}  // namespace zel
