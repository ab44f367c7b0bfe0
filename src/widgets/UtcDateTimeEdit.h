#pragma once
// A date and time field in UTC that also takes a whole value typed or pasted at once, in the
// forms analysts copy between programs (ISO 8601, day first with "/" or "."), besides the
// section-by-section editing of its display format.

#include <QDateTimeEdit>

class QLineEdit;

namespace zel {

class UtcDateTimeEdit : public QDateTimeEdit {
  public:
    UtcDateTimeEdit(const QString& displayFormat, double epoch, QWidget* parent = nullptr);

    double epoch() const;
    void setEpoch(double epoch);

  protected:
    // Typing over the whole selected text, or pasting, starts a whole value in a plain line over
    // the sections; Return or leaving it takes the value when it reads as a date and time.
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void startWholeValue(const QString& text);
    void finishWholeValue(bool take);

    QLineEdit* whole_ = nullptr;
};

}  // namespace zel
