#pragma once
// The formula dialog of the DSP workspace (CFormulaDlg): the formula of the current window, a
// button per function, constant and operator that inserts its template at the caret and shows its
// help text, and the formulas used last. The butter button opens the filter wizard, the window
// button offers the names of the workspace windows.

#include <QDialog>
#include <functional>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace zel {

class CSavedFormulas;
struct FormulaButton;

class CFormulaDlg : public QDialog {
    Q_OBJECT
  public:
    CFormulaDlg(const QString& formula, const CSavedFormulas& saved, int windowCount, QWidget* parent = nullptr);

    QString formula() const;
    QLineEdit* formulaEdit() const { return edit_; }
    QListWidget* savedList() const { return saved_; }
    QLabel* helpLabel() const { return help_; }
    // The button of a function, constant or operator (null when there is none).
    QPushButton* button(const QString& name) const;

    // What the butter button and the window button ask; tests replace them.
    std::function<QString()> askFilter;
    std::function<QString()> askWindow;

  private:
    void use(const FormulaButton& b);
    void insert(const QString& text);

    QLineEdit* edit_;
    QListWidget* saved_;
    QLabel* help_;
    int windowCount_;
};

}  // namespace zel
