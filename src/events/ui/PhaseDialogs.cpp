#include "events/ui/PhaseDialogs.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <cstdio>

#include "base/MessageSink.h"
#include "base/TimeConversions.h"
#include "events/PhaseCatalogue.h"
#include "events/ZELPhases.h"

namespace zel {
namespace {

// A group box of radio buttons whose ids are the codes they stand for.
QGroupBox* RadioGroup(const QString& title, const std::vector<std::pair<QString, int>>& choices, int columns,
                      QButtonGroup*& group, QWidget* parent) {
    auto* box = new QGroupBox(title, parent);
    auto* grid = new QGridLayout(box);
    group = new QButtonGroup(box);
    for (std::size_t i = 0; i < choices.size(); ++i) {
        auto* button = new QRadioButton(choices[i].first, box);
        group->addButton(button, choices[i].second);
        grid->addWidget(button, int(i) / columns, int(i) % columns);
    }
    return box;
}

void Check(QButtonGroup* group, int id) {
    if (QAbstractButton* b = group->button(id)) b->setChecked(true);
}

void Show(MessageSink& messages, const std::string& text) {
    messages.show({text, "ZEL", MessageIcon::Warning, MessageButtons::Ok});
}

}  // namespace

const std::array<const char*, 6>& ChannelTypeChoices() {
    static const std::array<const char*, 6> choices = {"", "SP", "MP", "LP", "BB", "SM"};
    return choices;
}

CInsertPhaseDlg::CInsertPhaseDlg(const PhaseStations* stations, const PhaseCatalogue& catalogue,
                                 MessageSink& messages, double initialTime, QWidget* parent)
    : QDialog(parent), stationNames_(stations), catalogue_(catalogue), messages_(messages) {
    setWindowTitle(qtTrId("Вставить фазу"));
    stations_ = new QTreeWidget(this);
    stations_->setHeaderLabel(qtTrId("Станции"));
    stations_->setRootIsDecorated(false);
    if (stations) {
        for (int i = 0; i < stations->StationCount(); ++i) {
            const std::string name = stations->StationName(i);
            if (name.empty()) continue;
            auto* item = new QTreeWidgetItem(stations_, {QString::fromStdString(name)});
            item->setData(0, Qt::UserRole, i);
        }
    }
    channel_ = new QComboBox(this);
    phase_ = new QComboBox(this);
    for (int i = 0; i < catalogue.Count(); ++i) phase_->addItem(QString::fromStdString(catalogue.Name(i)), i);
    connect(stations_, &QTreeWidget::currentItemChanged, this, &CInsertPhaseDlg::fillChannels);

    QGroupBox* motion =
        RadioGroup(qtTrId("Первое вступление"), {{"Up", 0}, {"Dn", 1}, {"+", 2}, {"-", 3}, {"?", 4}}, 5,
                   firstMotion_, this);
    QGroupBox* weight =
        RadioGroup(qtTrId("Вес"), {{"0", 0}, {"1", 1}, {"2", 2}, {"3", 3}, {"4", 4}}, 5, weight_, this);
    QGroupBox* onset = RadioGroup(
        qtTrId("Вступление"),
        {{"Imp.", kOnsetImpulsive}, {"Emerg.", kOnsetEmergent}, {"Weak", kOnsetWeak}, {"None", kOnsetNone}},
        4, onset_, this);
    Check(firstMotion_, 0);
    Check(weight_, 0);
    Check(onset_, kOnsetImpulsive);

    time_ = new QLineEdit(this);
    date_ = new QLineEdit(this);
    if (std::optional<CalendarTime> t = EpochToYdhms(initialTime, 2)) {
        char clock[32], date[32];
        std::snprintf(clock, sizeof clock, "%02d:%02d:%02d.%02d", t->hour, t->minute, t->wholeSecond(), t->fraction);
        std::snprintf(date, sizeof date, "%02d-%02d-%02d", t->day, t->month, t->year % 100);
        time_->setText(clock);
        date_->setText(date);
    }

    insert_ = new QPushButton(qtTrId("Вставить"), this);
    insert_->setDefault(true);
    auto* exit = new QPushButton(qtTrId("Выйти"), this);
    connect(insert_, &QPushButton::clicked, this, &CInsertPhaseDlg::insert);
    connect(exit, &QPushButton::clicked, this, &QDialog::reject);

    auto* fields = new QGridLayout;
    fields->addWidget(new QLabel(qtTrId("Канал"), this), 0, 0);
    fields->addWidget(channel_, 0, 1);
    fields->addWidget(new QLabel(qtTrId("Фаза"), this), 1, 0);
    fields->addWidget(phase_, 1, 1);
    fields->addWidget(new QLabel(qtTrId("Время ч:м:с.дс"), this), 2, 0);
    fields->addWidget(time_, 2, 1);
    fields->addWidget(new QLabel(qtTrId("Дата дд-мм-гг"), this), 3, 0);
    fields->addWidget(date_, 3, 1);
    auto* right = new QVBoxLayout;
    right->addLayout(fields);
    right->addWidget(motion);
    right->addWidget(weight);
    right->addWidget(onset);
    right->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(insert_);
    buttons->addWidget(exit);
    right->addLayout(buttons);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(stations_, 1);
    layout->addLayout(right, 2);
}

void CInsertPhaseDlg::fillChannels() {
    channel_->clear();
    QTreeWidgetItem* item = stations_->currentItem();
    if (!item || !stationNames_) return;
    const int station = item->data(0, Qt::UserRole).toInt();
    for (int slot = 0; slot < kChannelSlots; ++slot) {
        const std::string name = stationNames_->ChannelName(station, slot);
        if (!name.empty()) channel_->addItem(QString::fromStdString(name), slot);
    }
}

ManualPick CInsertPhaseDlg::fields() const {
    ManualPick in;
    if (QTreeWidgetItem* item = stations_->currentItem()) in.station = item->data(0, Qt::UserRole).toInt();
    in.channel = channel_->currentIndex() >= 0 ? channel_->currentData().toInt() : -1;
    in.phase = phase_->currentIndex() >= 0 ? phase_->currentData().toInt() : -1;
    in.firstMotion = firstMotion_->checkedId();
    in.weight = weight_->checkedId();
    in.onset = onset_->checkedId();
    in.time = time_->text().toStdString();
    in.date = date_->text().toStdString();
    return in;
}

void CInsertPhaseDlg::insert() {
    ManualPickResult result = BuildManualPick(fields(), catalogue_);
    if (!result.pick) {
        Show(messages_, result.error);
        return;
    }
    Q_EMIT pickEntered(*result.pick);
}

CEditPhaseDlg::CEditPhaseDlg(ZELPhases& list, const SEISMIC_PHASE& pick, const PhaseCatalogue& catalogue,
                             MessageSink& messages, QWidget* parent)
    : QDialog(parent),
      list_(list),
      catalogue_(catalogue),
      messages_(messages),
      station_(pick.stationIndex),
      channel_(pick.channelIndex),
      phase_(pick.phaseIndex) {
    setWindowTitle(qtTrId("Редактирование фазы"));
    std::vector<std::pair<QString, int>> motions;
    for (int i = 0; i < kFirstMotionCount; ++i) motions.push_back({FirstMotionLetter(i), i});
    QGroupBox* motion = RadioGroup(qtTrId("Первое вступление"), motions, 5, firstMotion_, this);
    QGroupBox* weight =
        RadioGroup(qtTrId("Вес"), {{"0", 0}, {"1", 1}, {"2", 2}, {"3", 3}, {"4", 4}}, 5, weight_, this);
    QGroupBox* onset = RadioGroup(qtTrId("Вступление"),
                                  {{"Impuls", kOnsetImpulsive},
                                   {"Emergent", kOnsetEmergent},
                                   {"Weak", kOnsetWeak},
                                   {"None", kOnsetNone}},
                                  4, onset_, this);
    Check(firstMotion_, pick.firstMotion);
    Check(weight_, pick.weight);
    Check(onset_, pick.onset);

    phases_ = new QListWidget(this);
    for (int i = 0; i < catalogue.Count(); ++i) {
        auto* item = new QListWidgetItem(QString::fromStdString(catalogue.Name(i)), phases_);
        item->setData(Qt::UserRole, i);
    }
    phases_->setCurrentRow(pick.phaseIndex);
    chanType_ = new QComboBox(this);
    for (const char* choice : ChannelTypeChoices()) chanType_->addItem(choice);
    if (chanType_->findText(QString::fromStdString(pick.chanType)) < 0)
        chanType_->addItem(QString::fromStdString(pick.chanType));
    chanType_->setCurrentText(QString::fromStdString(pick.chanType));
    remark_ = new QLineEdit(QString::fromStdString(pick.remark), this);
    remark_->setMaxLength(int(kRemarkLength));
    pickFilter_ = new QLineEdit(QString::fromStdString(pick.pickFilter), this);
    pickFilter_->setReadOnly(true);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Cancel)->setText(qtTrId("Отмена"));
    connect(buttons, &QDialogButtonBox::accepted, this, &CEditPhaseDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* fields = new QGridLayout;
    fields->addWidget(new QLabel(qtTrId("Тип канала"), this), 0, 0);
    fields->addWidget(chanType_, 0, 1);
    fields->addWidget(new QLabel(qtTrId("Примечание"), this), 1, 0);
    fields->addWidget(remark_, 1, 1);
    fields->addWidget(new QLabel(qtTrId("Фильтр"), this), 2, 0);
    fields->addWidget(pickFilter_, 2, 1);
    auto* left = new QVBoxLayout;
    left->addWidget(motion);
    left->addWidget(weight);
    left->addWidget(onset);
    left->addLayout(fields);
    auto* top = new QHBoxLayout;
    top->addLayout(left, 3);
    top->addWidget(phases_, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(buttons);
}

void CEditPhaseDlg::accept() {
    SEISMIC_PHASE* pick = list_.Find(station_, channel_, phase_);
    if (!pick) {  // removed meanwhile: there is nothing left to edit
        QDialog::reject();
        return;
    }
    PhaseEdit edit;
    edit.firstMotion = firstMotion_->checkedId();
    edit.weight = weight_->checkedId();
    edit.onset = onset_->checkedId();
    QListWidgetItem* chosen = phases_->currentItem();
    edit.phase = chosen ? chosen->data(Qt::UserRole).toInt() : pick->phaseIndex;
    edit.chanType = chanType_->currentText().toStdString();
    edit.remark = remark_->text().toStdString();
    if (std::optional<std::string> error = ApplyPhaseEdit(list_, *pick, edit, catalogue_)) {
        Show(messages_, *error);
        return;
    }
    phase_ = pick->phaseIndex;
    QDialog::accept();
}

}  // namespace zel
