#pragma once
// "Конструктор фильтра": band edges, type, order and zero phase; on OK it leaves one butter(...)
// formula for the formula dialog to insert.

#include <QDialog>

class QButtonGroup;
class QCheckBox;
class QLineEdit;
class QSpinBox;

namespace zel {

class CFilterWizard : public QDialog {
    Q_OBJECT
  public:
    explicit CFilterWizard(QWidget* parent = nullptr);
    // The formula of the present settings.
    QString formula() const;

    QLineEdit* lowerEdit() const { return lower_; }
    QLineEdit* upperEdit() const { return upper_; }
    QSpinBox* orderBox() const { return order_; }
    QCheckBox* zeroPhaseBox() const { return zeroPhase_; }
    void setType(int code);

  private:
    QLineEdit* lower_;
    QLineEdit* upper_;
    QSpinBox* order_;
    QButtonGroup* type_;
    QCheckBox* zeroPhase_;
};

}  // namespace zel
