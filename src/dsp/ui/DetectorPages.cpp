#include "dsp/ui/DetectorPages.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace zel {
namespace {

QString Number(double v) { return QString::number(v, 'g', 10); }

}  // namespace

CDetectPage::CDetectPage(bool filterAllowed, QWidget* parent) : QWidget(parent) {
    auto* form = new QFormLayout(this);
    lta_ = new QLineEdit(this);
    sta_ = new QLineEdit(this);
    k_ = new QLineEdit(this);
    lta_->setObjectName("1069");
    sta_->setObjectName("1070");
    k_->setObjectName("1071");
    form->addRow(qtTrId("LTA (сек)"), lta_);
    form->addRow(qtTrId("STA (сек)"), sta_);
    form->addRow(qtTrId("Порог срабатывания (STA/LTA)"), k_);
    filter_ = new QCheckBox(qtTrId("Использовать фильтр"), this);
    filter_->setObjectName("1072");
    filter_->setEnabled(filterAllowed);
    form->addRow(filter_);
    clear_ = new QPushButton(qtTrId("Очистить список срабатываний"), this);
    clear_->setObjectName("1237");
    form->addRow(clear_);
    connect(clear_, &QPushButton::clicked, this, &CDetectPage::clearRequested);
}

void CDetectPage::setParams(const DetectorParams& p) {
    lta_->setText(Number(p.tlta));
    sta_->setText(Number(p.tsta));
    k_->setText(Number(p.k));
    filter_->setChecked(p.filter && filter_->isEnabled());
}

DetectorParams CDetectPage::params() const {
    DetectorParams p;
    p.tlta = lta_->text().trimmed().toDouble();
    p.tsta = sta_->text().trimmed().toDouble();
    p.k = k_->text().trimmed().toDouble();
    p.filter = filter_->isEnabled() && filter_->isChecked();
    return p;
}

QString CDetectPage::problem() {
    struct Field {
        QLineEdit* edit;
        double lo, hi;
    };
    for (const Field& f : {Field{lta_, kTltaMin, kTltaMax}, Field{sta_, kTstaMin, kTstaMax},
                           Field{k_, kThresholdMin, kThresholdMax}}) {
        bool ok = false;
        const double v = f.edit->text().trimmed().toDouble(&ok);
        if (!ok) {
            f.edit->setFocus();
            f.edit->selectAll();
            return qtTrId("Введите число.");
        }
        if (v < f.lo || v > f.hi) {
            f.edit->setFocus();
            f.edit->selectAll();
            return qtTrId("Введите число между %1 и %2.").arg(Number(f.lo), Number(f.hi));
        }
    }
    return {};
}

CDetectorSheet::CDetectorSheet(const DetectorParams& zel, const DetectorParams& geotech,
                               DetectorSheetActions actions, MessageSink& messages, QWidget* parent)
    : QDialog(parent), actions_(std::move(actions)), messages_(messages) {
    setWindowTitle(qtTrId("Параметры детектора"));
    auto* layout = new QVBoxLayout(this);
    tabs_ = new QTabWidget(this);
    zel_ = new CDetectPage(true, tabs_);
    geotech_ = new CDetectPage(false, tabs_);
    zel_->setParams(zel);
    geotech_->setParams(geotech);
    tabs_->addTab(zel_, qtTrId("LTA/STA детектор"));
    tabs_->addTab(geotech_, qtTrId("Геотех+ LTA/STA детектор"));
    layout->addWidget(tabs_);
    auto* buttons =
        new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Apply, this);
    buttons->button(QDialogButtonBox::Cancel)->setText(qtTrId("Отмена"));
    buttons->button(QDialogButtonBox::Apply)->setText(qtTrId("Применить"));
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &CDetectorSheet::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CDetectorSheet::reject);
    connect(buttons->button(QDialogButtonBox::Apply), &QPushButton::clicked, this, [this] { apply(); });
    for (CDetectPage* page : {zel_, geotech_})
        connect(page, &CDetectPage::clearRequested, this, [this] {
            if (actions_.clearLists) actions_.clearLists();
        });
}

bool CDetectorSheet::apply() {
    CDetectPage* page = tabs_->currentWidget() == geotech_ ? geotech_ : zel_;
    const QString fault = page->problem();
    if (!fault.isEmpty()) {
        messages_.show({fault.toStdString(), "ZEL", MessageIcon::Warning, MessageButtons::Ok});
        return false;
    }
    const auto& run = page == geotech_ ? actions_.runGeotech : actions_.runZel;
    if (run) run(page->params());
    return true;
}

void CDetectorSheet::accept() {
    if (apply()) QDialog::accept();
}

}  // namespace zel
