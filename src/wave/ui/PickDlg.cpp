#include "wave/ui/PickDlg.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "events/PhaseCatalogue.h"
#include "events/ui/PhaseDialogs.h"

namespace zel {
namespace {

// A row of radio buttons whose ids are the codes they stand for.
QButtonGroup* RadioRow(QWidget* parent, QBoxLayout* into,
                       const std::vector<std::pair<const char*, int>>& items) {
    auto* group = new QButtonGroup(parent);
    auto* row = new QHBoxLayout;
    for (auto [text, id] : items) {
        auto* b = new QRadioButton(text, parent);
        group->addButton(b, id);
        row->addWidget(b);
    }
    row->addStretch();
    into->addLayout(row);
    return group;
}

}  // namespace

CPickDlg::CPickDlg(const PhaseCatalogue& catalogue, const std::vector<int>& offered, PickCodes defaults,
                   const QString& filter, QWidget* parent)
    : QDialog(parent), catalogue_(catalogue) {
    setWindowTitle(qtTrId("Отметить фазу"));
    setObjectName("CPickDlg");
    auto* layout = new QVBoxLayout(this);

    auto* phaseGroup = new QGroupBox(qtTrId("Фаза"), this);
    auto* phaseLayout = new QVBoxLayout(phaseGroup);
    phase_ = new QComboBox(phaseGroup);
    phase_->setEditable(true);
    phase_->setInsertPolicy(QComboBox::NoInsert);
    for (int i : offered) phase_->addItem(QString::fromStdString(catalogue.Name(i)));
    if (phase_->count() > 0) phase_->setCurrentIndex(0);
    phaseLayout->addWidget(phase_);
    firstMotion_ = RadioRow(
        phaseGroup, phaseLayout,
        {{"Up", 0}, {"Dn", 1}, {"+ ", 2}, {"- ", 3}, {"? ", 4}, {"c", 5}, {"d", 6}, {"u", 7}, {"r", 8}});
    weight_ = RadioRow(phaseGroup, phaseLayout, {{"0 ", 0}, {"1 ", 1}, {"2 ", 2}, {"3 ", 3}, {"4 ", 4}});
    onset_ = RadioRow(phaseGroup, phaseLayout,
                      {{"Impuls", kOnsetImpulsive},
                       {"Emergent", kOnsetEmergent},
                       {"Weak", kOnsetWeak},
                       {"None", kOnsetNone}});
    firstMotion_->button(kDefaultFirstMotion)->setChecked(true);
    weight_->button(std::clamp(defaults.weight, 0, kMaxWeight))->setChecked(true);
    if (QAbstractButton* b = onset_->button(defaults.onset)) b->setChecked(true);
    layout->addWidget(phaseGroup);

    auto* form = new QFormLayout;
    chanType_ = new QComboBox(this);
    chanType_->setEditable(true);
    for (const char* type : ChannelTypeChoices()) chanType_->addItem(type);
    form->addRow(qtTrId("Тип канала"), chanType_);
    remark_ = new QLineEdit(this);
    remark_->setMaxLength(static_cast<int>(kRemarkLength));
    form->addRow(qtTrId("Комментарий"), remark_);
    filter_ = new QLineEdit(filter, this);
    form->addRow(qtTrId("Тип фильтра/симуляции"), filter_);
    layout->addLayout(form);

    copy_ = new QCheckBox(qtTrId("Копировать фазу на другие каналы"), this);
    amplitude_ = new QCheckBox(qtTrId("Произвести автоматический замер амплитуды"), this);
    // Offered only where a measurement is installed to run.
    amplitude_->setEnabled(false);
    layout->addWidget(copy_);
    layout->addWidget(amplitude_);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CPickDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CPickDlg::reject);
    layout->addWidget(buttons);
}

PickChoice CPickDlg::choice() const {
    PickChoice c;
    c.phase = phase_->currentText().trimmed().toStdString();
    c.firstMotion = firstMotion_->checkedId();
    c.weight = weight_->checkedId();
    c.onset = onset_->checkedId();
    c.chanType = chanType_->currentText().toStdString();
    c.remark = remark_->text().toStdString();
    c.pickFilter = filter_->text().toStdString();
    return c;
}

bool CPickDlg::copyToOtherChannels() const { return copy_->isChecked(); }
bool CPickDlg::autoAmplitude() const { return amplitude_->isChecked(); }
void CPickDlg::setAutoAmplitudeAvailable(bool on) { amplitude_->setEnabled(on); }

void CPickDlg::accept() {
    if (catalogue_.IndexOf(phase_->currentText().trimmed().toStdString()) < 0) {
        QApplication::beep();
        return;
    }
    QDialog::accept();
}

}  // namespace zel
