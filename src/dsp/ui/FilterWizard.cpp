#include "dsp/ui/FilterWizard.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDoubleValidator>
#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QLocale>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "wave/FilterSettings.h"

namespace zel {

CFilterWizard::CFilterWizard(QWidget* parent) : QDialog(parent) {
    setWindowTitle(qtTrId("Конструктор фильтра"));
    lower_ = new QLineEdit("0.");
    upper_ = new QLineEdit("1.");
    for (QLineEdit* edit : {lower_, upper_}) {
        auto* validator = new QDoubleValidator(0.0, 1e9, 6, edit);
        validator->setLocale(QLocale::c());
        validator->setNotation(QDoubleValidator::StandardNotation);
        edit->setValidator(validator);
    }
    auto* edges = new QFormLayout;
    edges->addRow(qtTrId("Нижняя граница"), lower_);
    edges->addRow(qtTrId("Верхняя граница"), upper_);

    auto* orderGroup = new QGroupBox(qtTrId("Порядок фильтра (2 -9)"));
    order_ = new QSpinBox;
    order_->setRange(2, 9);
    order_->setValue(2);
    (new QVBoxLayout(orderGroup))->addWidget(order_);

    auto* typeGroup = new QGroupBox;
    auto* typeLayout = new QVBoxLayout(typeGroup);
    type_ = new QButtonGroup(this);
    const char* const names[] = {QT_TRID_NOOP("Полосовой"), QT_TRID_NOOP("Нижних частот"),
                                 QT_TRID_NOOP("Режекторный"), QT_TRID_NOOP("Верхних частот")};
    for (int code = 0; code < 4; ++code) {
        auto* radio = new QRadioButton(qtTrId(names[code]));
        type_->addButton(radio, code);
        typeLayout->addWidget(radio);
    }
    zeroPhase_ = new QCheckBox(qtTrId("Нулевая фаза"));
    setType(0);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(edges);
    layout->addWidget(orderGroup);
    layout->addWidget(typeGroup);
    layout->addWidget(zeroPhase_);
    layout->addWidget(buttons);
}

void CFilterWizard::setType(int code) {
    if (QAbstractButton* b = type_->button(code)) b->setChecked(true);
}

QString CFilterWizard::formula() const {
    const std::string text =
        FilterWizardFormula(type_->checkedId(), QLocale::c().toDouble(lower_->text()),
                            QLocale::c().toDouble(upper_->text()), order_->value(), zeroPhase_->isChecked());
    return QString::fromStdString(text);
}

}  // namespace zel
