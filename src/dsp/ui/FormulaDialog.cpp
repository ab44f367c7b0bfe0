#include "dsp/ui/FormulaDialog.h"

#include <QCursor>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>

#include "dsp/FormulaHelp.h"
#include "dsp/SavedFormulas.h"
#include "dsp/ui/FilterWizard.h"

namespace zel {

CFormulaDlg::CFormulaDlg(const QString& formula, const CSavedFormulas& saved, int windowCount, QWidget* parent)
    : QDialog(parent), windowCount_(windowCount) {
    setWindowTitle(qtTrId("Формула"));
    edit_ = new QLineEdit(formula);
    edit_->setMinimumWidth(520);
    help_ = new QLabel;
    help_->setWordWrap(true);
    help_->setMinimumHeight(40);
    help_->setFrameShape(QFrame::StyledPanel);

    auto* functions = new QGroupBox(qtTrId("Функции"));
    auto* functionGrid = new QGridLayout(functions);
    constexpr int kColumns = 8;
    int n = 0;
    for (const FormulaButton& b : FormulaFunctionButtons()) {
        auto* button = new QPushButton(QString::fromUtf8(b.name.data(), static_cast<int>(b.name.size())));
        button->setObjectName(button->text());
        connect(button, &QPushButton::clicked, this, [this, &b] { use(b); });
        functionGrid->addWidget(button, n / kColumns, n % kColumns);
        ++n;
    }
    auto* others = new QGroupBox(qtTrId("Константы и операции"));
    auto* otherRow = new QHBoxLayout(others);
    for (const FormulaButton& b : FormulaOtherButtons()) {
        auto* button = new QPushButton(QString::fromUtf8(b.name.data(), static_cast<int>(b.name.size())));
        button->setObjectName(button->text());
        button->setMaximumWidth(70);
        connect(button, &QPushButton::clicked, this, [this, &b] { use(b); });
        otherRow->addWidget(button);
    }

    saved_ = new QListWidget;
    for (const std::string& f : saved.formulas()) saved_->addItem(QString::fromStdString(f));
    saved_->setMaximumHeight(120);
    connect(saved_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) { edit_->setText(item->text()); });
    connect(saved_, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        edit_->setText(item->text());
        accept();
    });

    askFilter = [this]() -> QString {
        CFilterWizard wizard(this);
        return wizard.exec() == QDialog::Accepted ? wizard.formula() : QString();
    };
    askWindow = [this]() -> QString {
        QMenu menu(this);
        for (int i = 0; i < windowCount_; ++i) menu.addAction(QString("w%1").arg(i));
        QAction* chosen = menu.exec(QCursor::pos());
        return chosen ? chosen->text() : QString();
    };

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(edit_);
    layout->addWidget(functions);
    layout->addWidget(others);
    layout->addWidget(help_);
    layout->addWidget(new QLabel(qtTrId("Последние формулы:")));
    layout->addWidget(saved_);
    layout->addWidget(buttons);
}

QString CFormulaDlg::formula() const { return edit_->text(); }

QPushButton* CFormulaDlg::button(const QString& name) const { return findChild<QPushButton*>(name); }

void CFormulaDlg::insert(const QString& text) {
    if (text.isEmpty()) return;
    edit_->insert(text);
    edit_->setFocus();
}

void CFormulaDlg::use(const FormulaButton& b) {
    // The help texts are whole literals, so the view ends where the text does.
    help_->setText(qtTrId(b.helpText.data()));
    if (b.name == "butter")
        insert(askFilter());
    else if (b.name == "w")
        insert(askWindow());
    else
        insert(QString::fromUtf8(b.insert.data(), static_cast<int>(b.insert.size())));
}

}  // namespace zel
