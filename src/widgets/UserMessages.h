#pragma once
// The one place that turns core messages into message boxes.

#include <QPointer>
#include <QWidget>

#include "base/MessageSink.h"

namespace zel {

class UserMessages : public MessageSink {
  public:
    explicit UserMessages(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }
    MessageAnswer show(const Message& message) override;

    // On the offscreen platform nobody could answer a box: the text goes to standard error and
    // the answer is the one that changes nothing (No, Cancel).
    static bool interactive();

  private:
    QPointer<QWidget> parent_;
};

}  // namespace zel
