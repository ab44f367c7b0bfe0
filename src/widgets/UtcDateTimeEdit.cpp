#include "widgets/UtcDateTimeEdit.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTimeZone>
#include <cmath>

#include "base/TimeConversions.h"

namespace zel {

UtcDateTimeEdit::UtcDateTimeEdit(const QString& displayFormat, double epoch, QWidget* parent)
    : QDateTimeEdit(parent) {
    setTimeSpec(Qt::UTC);
    setDisplayFormat(displayFormat);
    setEpoch(epoch);
}

double UtcDateTimeEdit::epoch() const { return dateTime().toMSecsSinceEpoch() / 1000.0; }

void UtcDateTimeEdit::setEpoch(double epoch) {
    setDateTime(QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(std::llround(epoch * 1000)), QTimeZone::utc()));
}

void UtcDateTimeEdit::keyPressEvent(QKeyEvent* event) {
    const QString typed = event->text();
    const bool allSelected = lineEdit()->hasSelectedText() && lineEdit()->selectedText() == lineEdit()->text();
    if (event->matches(QKeySequence::Paste)) {
        startWholeValue(QApplication::clipboard()->text().trimmed());
        finishWholeValue(true);
        return;
    }
    if (allSelected && !typed.isEmpty() && typed.at(0).isPrint()) {
        startWholeValue(typed);
        return;
    }
    QDateTimeEdit::keyPressEvent(event);
}

void UtcDateTimeEdit::startWholeValue(const QString& text) {
    if (!whole_) {
        whole_ = new QLineEdit(this);
        whole_->setObjectName("wholeValue");
        whole_->setFrame(false);
        connect(whole_, &QLineEdit::returnPressed, this, [this] { finishWholeValue(true); });
        connect(whole_, &QLineEdit::editingFinished, this, [this] { finishWholeValue(true); });
    }
    whole_->setGeometry(lineEdit()->geometry());
    whole_->setText(text);
    whole_->show();
    whole_->setFocus();
}

void UtcDateTimeEdit::finishWholeValue(bool take) {
    if (!whole_ || !whole_->isVisible()) return;
    // A value that does not read as a date and time leaves the one the field held.
    if (const std::optional<double> t = ParseTypedDateTime(whole_->text().toStdString()); take && t) setEpoch(*t);
    whole_->hide();
    setFocus();
}

}  // namespace zel
