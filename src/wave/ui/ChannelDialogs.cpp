#include "wave/ui/ChannelDialogs.h"

#include <fnmatch.h>

#include <QApplication>
#include <QCheckBox>
#include <QDateTimeEdit>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTimeZone>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <cmath>

#include "base/PrivateProfile.h"
#include "base/ZelError.h"
#include "session/AppContext.h"
#include "wave/ChannelLists.h"
#include "wave/ui/waveform.h"

namespace zel {
namespace {

constexpr const char* kCaption = QT_TRID_NOOP("Система обработки сейсмических данных");

std::optional<double> ParseNumber(const QString& text) {
    bool ok = false;
    const double v = QLocale::c().toDouble(text.trimmed(), &ok);
    if (!ok || !std::isfinite(v)) return std::nullopt;
    return v;
}

}  // namespace

// ---- scale dialog ----

CScaleDlg::CScaleDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(qtTrId("Масштаб"));
    setObjectName("CScaleDlg");
    auto* form = new QFormLayout;
    const char* labels[] = {QT_TRID_NOOP("Максимум"), QT_TRID_NOOP("Минимум"),
                            QT_TRID_NOOP("Максимум преобразованного сигнала"),
                            QT_TRID_NOOP("Минимум преобразованного сигнала")};
    for (int i = 0; i < 4; ++i) {
        fields_[i] = new QLineEdit(this);
        fields_[i]->setObjectName(QString("scale%1").arg(i));
        form->addRow(qtTrId(labels[i]), fields_[i]);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CScaleDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CScaleDlg::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

void CScaleDlg::setValues(const ScaleValues& v) {
    values_ = v;
    const double numbers[] = {v.max, v.min, v.transformedMax, v.transformedMin};
    for (int i = 0; i < 4; ++i) fields_[i]->setText(QLocale::c().toString(numbers[i], 'g', 10));
}

void CScaleDlg::accept() {
    double numbers[4];
    for (int i = 0; i < 4; ++i) {
        const auto v = ParseNumber(fields_[i]->text());
        if (!v) {
            QMessageBox::warning(this, qtTrId(kCaption), qtTrId("Введите число."));
            fields_[i]->setFocus();
            fields_[i]->selectAll();
            return;
        }
        numbers[i] = *v;
    }
    values_ = {numbers[0], numbers[1], numbers[2], numbers[3]};
    QDialog::accept();
}

// ---- channel list dialogs ----

CChannelListDlg::CChannelListDlg(Mode mode, PrivateProfile& registry, PrivateProfile& ini, QWidget* parent)
    : QDialog(parent), mode_(mode), registry_(registry), ini_(ini) {
    setObjectName(mode == Save ? "CSaveChannelListDlg" : "CLoadChannelListDlg");
    setWindowTitle(mode == Save ? qtTrId("Сохранить список выбранных каналов и станций")
                                : qtTrId("Загрузить список станций"));
    lists_ = new QTreeWidget(this);
    lists_->setObjectName("lists");
    lists_->setRootIsDecorated(false);
    lists_->setHeaderLabels({qtTrId("Список"), qtTrId("Изменен")});
    lists_->setColumnWidth(0, 200);
    lists_->setColumnWidth(1, 150);
    // Widths as the analyst left them, comma-separated; a missing or non-positive entry keeps ours.
    const QStringList widths =
        QString::fromStdString(ini_.getString("CHANLIST", "Columns Width")).split(',', Qt::SkipEmptyParts);
    for (int i = 0; i < std::min<int>(widths.size(), 2); ++i)
        if (int w = ParseLeadingInt(widths[i].toStdString()); w > 0) lists_->setColumnWidth(i, w);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lists_);
    auto* remove = new QPushButton(qtTrId("Удалить"), this);
    connect(remove, &QPushButton::clicked, this, &CChannelListDlg::deleteSelected);
    auto* row = new QHBoxLayout;
    if (mode == Save) {
        name_ = new QLineEdit(this);
        name_->setObjectName("name");
        layout->addWidget(name_);
        connect(lists_, &QTreeWidget::itemClicked, this,
                [this](QTreeWidgetItem* item) { name_->setText(item->text(0)); });
        auto* ok = new QPushButton("OK", this);
        ok->setDefault(true);
        auto* cancel = new QPushButton(qtTrId("Отмена"), this);
        connect(ok, &QPushButton::clicked, this, &CChannelListDlg::accept);
        connect(cancel, &QPushButton::clicked, this, &CChannelListDlg::reject);
        row->addWidget(ok);
        row->addWidget(cancel);
    } else {
        auto* choose = new QPushButton(qtTrId("Выбрать"), this);
        choose->setObjectName("choose");
        choose->setDefault(true);
        auto* quit = new QPushButton(qtTrId("Выйти"), this);
        connect(choose, &QPushButton::clicked, this, &CChannelListDlg::accept);
        connect(quit, &QPushButton::clicked, this, &CChannelListDlg::reject);
        connect(lists_, &QTreeWidget::itemDoubleClicked, this, &CChannelListDlg::accept);
        row->addWidget(choose);
        row->addWidget(quit);
    }
    row->addWidget(remove);
    layout->addLayout(row);
    fill();
}

CChannelListDlg::~CChannelListDlg() {
    try {
        ini_.writeString(
            "CHANLIST", "Columns Width",
            std::to_string(lists_->columnWidth(0)) + "," + std::to_string(lists_->columnWidth(1)));
    } catch (const ZelError&) {
        // The widths are a convenience: an unwritable profile only loses them.
    }
}

void CChannelListDlg::fill() {
    lists_->clear();
    for (const ChannelListInfo& info : ChannelLists(registry_))
        lists_->addTopLevelItem(new QTreeWidgetItem(
            {QString::fromStdString(info.name), QString::fromStdString(ChannelListTimeText(info.changed))}));
}

void CChannelListDlg::deleteSelected() {
    QTreeWidgetItem* item = lists_->currentItem();
    if (!item) return;
    try {
        DeleteChannelList(registry_, item->text(0).toStdString());
    } catch (const ZelError& e) {
        QMessageBox::warning(this, qtTrId(kCaption), QString::fromStdString(e.what()));
    }
    fill();
}

void CChannelListDlg::accept() {
    if (mode_ == Save) {
        const std::string name = name_->text().trimmed().toStdString();
        if (name.empty()) {
            QApplication::beep();
            name_->setFocus();
            return;
        }
        try {
            CheckChannelListName(name);
        } catch (const ZelError& e) {
            QMessageBox::warning(this, qtTrId(kCaption), QString::fromStdString(e.what()));
            name_->setFocus();
            return;
        }
        chosen_ = name;
    } else {
        QTreeWidgetItem* item = lists_->currentItem();
        if (!item) {
            QApplication::beep();
            return;
        }
        chosen_ = item->text(0).toStdString();
    }
    QDialog::accept();
}

// ---- channel selection ----

CSelectTracesDlg::CSelectTracesDlg(AppContext& context, waveform& owner, Mode mode, QWidget* parent)
    : QDialog(parent), context_(context), owner_(owner), mode_(mode) {
    setObjectName(mode == Many ? "CSelectTracesDlg" : "CSelectChannelDlg");
    setWindowTitle(mode == Many ? qtTrId("Выбор трасс") : qtTrId("Выбор станции и канала"));
    tree_ = new QTreeWidget(this);
    tree_->setObjectName("stations");
    tree_->setHeaderHidden(true);
    channels_ = new QListWidget(this);
    channels_->setObjectName("channels");
    start_ = new UtcDateTimeEdit("dd/MM/yyyy HH:mm:ss", 0, this);
    start_->setObjectName("start");
    duration_ = new QDoubleSpinBox(this);
    duration_->setObjectName("duration");
    duration_->setRange(1, 359999);
    duration_->setDecimals(0);
    duration_->setSuffix(qtTrId(" с"));

    // Stations by network group; the whole table is the last group.
    const auto& stations = context_.stations();
    auto addGroup = [&](const QString& name, const std::vector<std::string>& codes) {
        auto* group = new QTreeWidgetItem(tree_, {name});
        for (const std::string& code : codes) {
            const int s = FindStation(stations, code);
            if (s < 0) continue;
            auto* item = new QTreeWidgetItem(group, {QString::fromStdString(stations[s].code)});
            item->setData(0, Qt::UserRole, s);
        }
    };
    for (const Network& n : context_.networks())
        addGroup(QString::fromStdString(n.name), SplitStationList(n.stations));
    std::vector<std::string> all;
    for (const Station& st : stations) all.push_back(st.code);
    addGroup(qtTrId("Все станции"), all);

    auto* form = new QFormLayout;
    form->addRow(qtTrId("Начало записи"), start_);
    form->addRow(qtTrId("Длительность"), duration_);
    auto* right = new QVBoxLayout;
    right->addWidget(channels_);
    right->addLayout(form);
    if (mode == Many) {
        allStations_ = new QCheckBox(qtTrId("Установить данное время для всех станций"), this);
        right->addWidget(allStations_);
        auto* clearAll = new QPushButton(qtTrId("Убрать все отметки"), this);
        auto* clearStation = new QPushButton(qtTrId("Убрать отметки каналов текущей станции"), this);
        connect(clearAll, &QPushButton::clicked, this, [this] {
            for (Station& st : context_.stations())
                for (ChannelSlot& c : st.slots) c.selected = false;
            showStation(station_);
        });
        connect(clearStation, &QPushButton::clicked, this, [this] {
            if (station_ < 0) return;
            for (ChannelSlot& c : context_.stations()[station_].slots) c.selected = false;
            showStation(station_);
        });
        right->addWidget(clearAll);
        right->addWidget(clearStation);
        pattern_ = new QLineEdit(this);
        pattern_->setObjectName("pattern");
        auto* byPattern = new QPushButton(qtTrId("Выбрать каналы по образцу"), this);
        connect(byPattern, &QPushButton::clicked, this, [this] { tickByPattern(pattern_->text()); });
        auto* row = new QHBoxLayout;
        row->addWidget(pattern_);
        row->addWidget(byPattern);
        right->addLayout(row);
    }
    auto* top = new QHBoxLayout;
    top->addWidget(tree_, 1);
    top->addLayout(right, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CSelectTracesDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CSelectTracesDlg::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(buttons);

    connect(tree_, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        if (!item || !item->data(0, Qt::UserRole).isValid()) return;
        storeCurrent();
        showStation(item->data(0, Qt::UserRole).toInt());
    });
    connect(channels_, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
        if (filling_ || station_ < 0) return;
        const int slot = item->data(Qt::UserRole).toInt();
        context_.stations()[station_].slots[slot].selected = item->checkState() == Qt::Checked;
    });
    connect(channels_, &QListWidget::currentItemChanged, this, [this](QListWidgetItem* item) {
        if (!filling_ && item) slot_ = item->data(Qt::UserRole).toInt();
    });

    // The group and station chosen last time.
    const QString group = QString::fromStdString(context_.ini().getString("SELECT STATION", "GROUP NAME"));
    const QString code = QString::fromStdString(context_.ini().getString("SELECT STATION", "STATION NAME"));
    for (int g = 0; g < tree_->topLevelItemCount(); ++g) {
        QTreeWidgetItem* item = tree_->topLevelItem(g);
        if (item->text(0) != group) continue;
        item->setExpanded(true);
        for (int i = 0; i < item->childCount(); ++i)
            if (item->child(i)->text(0) == code) tree_->setCurrentItem(item->child(i));
    }
    resize(640, 420);
}

CSelectTracesDlg::~CSelectTracesDlg() = default;

double CSelectTracesDlg::start() const { return start_->epoch(); }
double CSelectTracesDlg::duration() const { return duration_->value(); }

void CSelectTracesDlg::showStation(int station) {
    filling_ = true;
    channels_->clear();
    station_ = station;
    if (station >= 0 && station < static_cast<int>(context_.stations().size())) {
        const Station& st = context_.stations()[station];
        for (int slot = 0; slot < kSlotsPerStation; ++slot) {
            if (!st.slots[slot].Used()) continue;
            auto* item = new QListWidgetItem(
                QString::fromStdString(st.slots[slot].channel + "." + st.slots[slot].lcode), channels_);
            item->setData(Qt::UserRole, slot);
            if (mode_ == Many) {
                item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
                item->setCheckState(st.slots[slot].selected ? Qt::Checked : Qt::Unchecked);
            }
            if (slot == slot_) channels_->setCurrentItem(item);
        }
        if (mode_ == Many || slot_ < 0) {
            const auto [start, duration] = owner_.stationTime(station);
            start_->setEpoch(start);
            duration_->setValue(duration);
        }
    }
    filling_ = false;
}

void CSelectTracesDlg::storeCurrent() {
    if (mode_ != Many || station_ < 0) return;
    if (allStations_ && allStations_->isChecked())
        for (int s = 0; s < static_cast<int>(context_.stations().size()); ++s)
            owner_.setStationTime(s, start(), duration());
    else
        owner_.setStationTime(station_, start(), duration());
}

void CSelectTracesDlg::choose(int station, int slot, double start, double duration) {
    slot_ = slot;
    for (int g = 0; g < tree_->topLevelItemCount(); ++g) {
        QTreeWidgetItem* group = tree_->topLevelItem(g);
        for (int i = 0; i < group->childCount(); ++i)
            if (group->child(i)->data(0, Qt::UserRole).toInt() == station) {
                group->setExpanded(true);
                tree_->setCurrentItem(group->child(i));
            }
    }
    showStation(station);
    start_->setEpoch(start);
    duration_->setValue(duration);
}

void CSelectTracesDlg::tickByPattern(const QString& pattern) {
    const std::string mask = pattern.trimmed().toStdString();
    if (mask.empty()) return;
    for (Station& st : context_.stations())
        for (ChannelSlot& c : st.slots)
            if (c.Used() && fnmatch(mask.c_str(), c.channel.c_str(), FNM_CASEFOLD) == 0) c.selected = true;
    showStation(station_);
}

void CSelectTracesDlg::accept() {
    if (mode_ == One && (station_ < 0 || slot_ < 0)) {
        QApplication::beep();
        return;
    }
    storeCurrent();
    if (QTreeWidgetItem* item = tree_->currentItem(); item && item->parent()) {
        try {
            context_.ini().write({{"SELECT STATION", "GROUP NAME", item->parent()->text(0).toStdString()},
                                  {"SELECT STATION", "STATION NAME", item->text(0).toStdString()}});
        } catch (const ZelError&) {
            // Only the remembered choice is lost.
        }
    }
    QDialog::accept();
}

}  // namespace zel
