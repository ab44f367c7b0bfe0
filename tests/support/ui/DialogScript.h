#pragma once
// Answers the modal dialogs a command opens, in order, the way an analyst would: each step waits
// until a dialog of its type is the active modal widget (a progress dialog or a message in
// between is passed over), works on it, and the dialog is rejected if the step left it open.

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <functional>
#include <vector>

namespace zel::test {

class DialogScript {
  public:
    template <class Dialog, class Step>
    DialogScript& then(Step step) {
        steps_.push_back([step](QWidget* modal) {
            auto* dialog = qobject_cast<Dialog*>(modal);
            if (!dialog) return false;
            step(dialog);
            if (dialog->isVisible()) dialog->reject();
            return true;
        });
        return *this;
    }

    // Runs the command with the steps armed; true when every step found its dialog.
    bool run(const std::function<void()>& command) {
        std::size_t next = 0;
        QTimer poll;
        poll.setInterval(5);
        QObject::connect(&poll, &QTimer::timeout, [&] {
            if (next >= steps_.size()) return poll.stop();
            // A dialog that a step opens itself needs a script of its own: this timer does not
            // fire again until the step returns, and by then the dialog it answered is closed.
            if (QWidget* modal = QApplication::activeModalWidget(); modal && steps_[next](modal)) ++next;
        });
        poll.start();
        command();
        poll.stop();
        const bool all = next == steps_.size();
        EXPECT_TRUE(all) << "only " << next << " of " << steps_.size() << " dialogs appeared";
        return all;
    }

  private:
    std::vector<std::function<bool(QWidget*)>> steps_;
};

}  // namespace zel::test
