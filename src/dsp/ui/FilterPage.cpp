#include "dsp/ui/FilterPage.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

#include "base/PrivateProfile.h"
#include "base/ZelError.h"
#include "dsp/Butterworth.h"

namespace zel {

GetFilterPage0::GetFilterPage0(PrivateProfile& registry, QWidget* parent)
    : QWidget(parent), registry_(registry) {
    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(qtTrId("Выберите полосу пропускания  и тип фильтра")), 0, 0, 1, 2);
    low_ = new QLineEdit;
    high_ = new QLineEdit;
    for (QLineEdit* e : {low_, high_}) e->setMaxLength(7);
    grid->addWidget(new QLabel(qtTrId("низкая частота")), 1, 0);
    grid->addWidget(low_, 1, 1);
    grid->addWidget(new QLabel(qtTrId("высокая частота")), 2, 0);
    grid->addWidget(high_, 2, 1);
    auto* orderGroup = new QGroupBox(qtTrId("Порядок фильтра"));
    order_ = new QSpinBox;
    order_->setRange(1, kMaxFilterOrder);
    (new QVBoxLayout(orderGroup))->addWidget(order_);
    grid->addWidget(orderGroup, 3, 0, 1, 2);
    auto* typeGroup = new QGroupBox(qtTrId("Тип фильтра"));
    auto* typeLayout = new QVBoxLayout(typeGroup);
    types_ = new QButtonGroup(this);
    const char* names[] = {QT_TRID_NOOP("Полосовой"), QT_TRID_NOOP("Нижних частот"),
                           QT_TRID_NOOP("Режекторный"), QT_TRID_NOOP("Верхних частот")};
    for (int code : {0, 1, 2, 3}) {
        auto* radio = new QRadioButton(qtTrId(names[code]));
        types_->addButton(radio, code);
        typeLayout->addWidget(radio);
    }
    grid->addWidget(typeGroup, 4, 0, 1, 2);
    zeroPhase_ = new QCheckBox(qtTrId("Фильтр с нулевой фазой"));
    grid->addWidget(zeroPhase_, 5, 0, 1, 2);
    auto* listGroup = new QGroupBox(qtTrId("Список фильтров"));
    auto* listLayout = new QGridLayout(listGroup);
    presets_ = new QListWidget;
    listLayout->addWidget(presets_, 0, 0, 1, 3);
    auto* store = new QPushButton(qtTrId("Запомнить"));
    auto* remove = new QPushButton(qtTrId("Удалить"));
    auto* choose = new QPushButton(qtTrId("Выбрать"));
    listLayout->addWidget(store, 1, 0);
    listLayout->addWidget(remove, 1, 1);
    listLayout->addWidget(choose, 1, 2);
    grid->addWidget(listGroup, 0, 2, 6, 1);

    askName = [this] {
        CGetFilterNameDlg dialog(this);
        return dialog.exec() == QDialog::Accepted ? dialog.name() : QString();
    };
    auto touched = [this] { setModified(true); };
    connect(low_, &QLineEdit::textEdited, this, touched);
    connect(high_, &QLineEdit::textEdited, this, touched);
    connect(order_, &QSpinBox::valueChanged, this, touched);
    connect(zeroPhase_, &QCheckBox::clicked, this, touched);
    connect(types_, &QButtonGroup::idClicked, this, [this] {
        enableEdges();
        setModified(true);
    });
    connect(store, &QPushButton::clicked, this, &GetFilterPage0::storePreset);
    connect(remove, &QPushButton::clicked, this, &GetFilterPage0::deletePreset);
    connect(choose, &QPushButton::clicked, this, &GetFilterPage0::choosePreset);
    connect(presets_, &QListWidget::itemDoubleClicked, this, &GetFilterPage0::choosePreset);
    refillPresets();
}

void GetFilterPage0::setModified(bool on) {
    if (modified_ == on) return;
    modified_ = on;
    Q_EMIT modifiedChanged(on);
}

void GetFilterPage0::setType(int type) {
    if (QAbstractButton* b = types_->button(type)) b->setChecked(true);
    enableEdges();
}

void GetFilterPage0::setSettings(const ChannelFilterSettings& s) {
    low_->setText(QString::fromStdString(s.lowText));
    high_->setText(QString::fromStdString(s.highText));
    order_->setValue(std::clamp(s.order, 1, kMaxFilterOrder));
    setType(s.type >= 0 && s.type <= 3 ? s.type : 0);
    zeroPhase_->setChecked(s.zeroPhase);
}

ChannelFilterSettings GetFilterPage0::settings() const {
    ChannelFilterSettings s;
    s.lowText = low_->text().toStdString();
    s.highText = high_->text().toStdString();
    bool ok = false;
    const double lo = QLocale::c().toDouble(low_->text().trimmed(), &ok);
    s.low = ok ? static_cast<float>(lo) : -1.0f;  // unreadable text is refused by problem()
    const double hi = QLocale::c().toDouble(high_->text().trimmed(), &ok);
    s.high = ok ? static_cast<float>(hi) : -1.0f;
    s.type = std::max(0, types_->checkedId());
    s.order = order_->value();
    s.zeroPhase = zeroPhase_->isChecked();
    return s;
}

QString GetFilterPage0::problem() const {
    ChannelFilterSettings s = settings();
    // The edge the type does not use may be left as it is.
    if (s.type == 1 && s.low < 0) s.low = 0;
    if (s.type == 3 && s.high < 0) s.high = 0;
    const std::optional<std::string> fault = ValidateFilterPage(s);
    return fault ? QString::fromStdString(*fault) : QString();
}

void GetFilterPage0::enableEdges() {
    const int type = types_->checkedId();
    low_->setEnabled(type != 1);
    high_->setEnabled(type != 3);
}

void GetFilterPage0::refillPresets(int select) {
    presets_->clear();
    for (const std::string& name : FilterPresetNames(registry_))
        presets_->addItem(QString::fromStdString(name));
    if (presets_->count() > 0) presets_->setCurrentRow(std::clamp(select, 0, presets_->count() - 1));
}

void GetFilterPage0::storePreset() {
    const QString fault = problem();
    if (!fault.isEmpty()) {
        QApplication::beep();
        return;
    }
    const QString name = askName ? askName() : QString();
    if (name.isEmpty()) return;
    try {
        SaveFilterPreset(registry_, name.toStdString(), settings());
    } catch (const ZelError&) {
        // The store keeps no half-written preset; the list simply does not show it.
        QApplication::beep();
    }
    refillPresets(presets_->currentRow());
}

void GetFilterPage0::choosePreset() {
    const QListWidgetItem* item = presets_->currentItem();
    if (item == nullptr) return;
    setSettings(LoadFilterPreset(registry_, item->text().toStdString()));
    setModified(true);
}

void GetFilterPage0::deletePreset() {
    const int row = presets_->currentRow();
    const QListWidgetItem* item = presets_->currentItem();
    if (item == nullptr) return;
    try {
        DeleteFilterPreset(registry_, item->text().toStdString());
    } catch (const ZelError&) {
        QApplication::beep();
    }
    refillPresets(row);
}

CFilterSheet::CFilterSheet(PrivateProfile& registry, const ChannelFilterSettings& settings,
                           std::function<bool(const ChannelFilterSettings&)> apply, QWidget* parent)
    : QDialog(parent), apply_(std::move(apply)) {
    setWindowTitle(qtTrId("Фильтр"));
    auto* layout = new QVBoxLayout(this);
    auto* tabs = new QTabWidget;
    page_ = new GetFilterPage0(registry);
    page_->setSettings(settings);
    tabs->addTab(page_, qtTrId("Фильтр"));
    layout->addWidget(tabs);
    auto* buttons =
        new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Apply);
    applyButton_ = buttons->button(QDialogButtonBox::Apply);
    applyButton_->setText(qtTrId("Применить"));
    applyButton_->setEnabled(false);
    buttons->button(QDialogButtonBox::Cancel)->setText(qtTrId("Отмена"));
    layout->addWidget(buttons);
    connect(page_, &GetFilterPage0::modifiedChanged, applyButton_, &QPushButton::setEnabled);
    connect(applyButton_, &QPushButton::clicked, this, [this] { this->apply(); });
    connect(buttons, &QDialogButtonBox::accepted, this, &CFilterSheet::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

bool CFilterSheet::apply() {
    if (!page_->modified()) return true;
    if (!page_->problem().isEmpty()) {
        QApplication::beep();
        page_->setToolTip(page_->problem());
        return false;
    }
    if (apply_ && !apply_(page_->settings())) return false;
    page_->setModified(false);
    return true;
}

void CFilterSheet::accept() {
    if (apply()) QDialog::accept();
}

CGetFilterNameDlg::CGetFilterNameDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(qtTrId("Введите имя фильтра"));
    auto* layout = new QVBoxLayout(this);
    edit_ = new QLineEdit;
    edit_->setMaxLength(static_cast<int>(kMaxPresetName));
    layout->addWidget(edit_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &CGetFilterNameDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

QString CGetFilterNameDlg::name() const { return edit_->text(); }

void CGetFilterNameDlg::accept() {
    if (edit_->text().isEmpty()) {
        QApplication::beep();
        return;
    }
    QDialog::accept();
}

}  // namespace zel
