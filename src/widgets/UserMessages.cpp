#include "widgets/UserMessages.h"

#include <QGuiApplication>
#include <QMessageBox>
#include <cstdio>

namespace zel {

bool UserMessages::interactive() { return QGuiApplication::platformName() != "offscreen"; }

MessageAnswer UserMessages::show(const Message& message) {
    if (!interactive()) {
        std::fprintf(stderr, "ZEL: %s\n", message.text.c_str());
        switch (message.buttons) {
            case MessageButtons::Ok:
                return MessageAnswer::Ok;
            case MessageButtons::YesNo:
                return MessageAnswer::No;
            case MessageButtons::YesNoCancel:
            case MessageButtons::OkCancel:
                return MessageAnswer::Cancel;
        }
    }
    QMessageBox box(parent_);
    box.setWindowTitle(QString::fromStdString(message.caption));
    box.setText(QString::fromStdString(message.text));
    switch (message.icon) {
        case MessageIcon::Information:
            box.setIcon(QMessageBox::Information);
            break;
        case MessageIcon::Warning:
            box.setIcon(QMessageBox::Warning);
            break;
        case MessageIcon::Error:
            box.setIcon(QMessageBox::Critical);
            break;
        case MessageIcon::Question:
            box.setIcon(QMessageBox::Question);
            break;
    }
    switch (message.buttons) {
        case MessageButtons::Ok:
            box.setStandardButtons(QMessageBox::Ok);
            break;
        case MessageButtons::YesNo:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            break;
        case MessageButtons::YesNoCancel:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
            break;
        case MessageButtons::OkCancel:
            box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
            break;
    }
    switch (box.exec()) {
        case QMessageBox::Ok:
            return MessageAnswer::Ok;
        case QMessageBox::Yes:
            return MessageAnswer::Yes;
        case QMessageBox::No:
            return MessageAnswer::No;
        case QMessageBox::Cancel:
            return MessageAnswer::Cancel;
        default:
            return message.buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::Cancel;
    }
}

}  // namespace zel
