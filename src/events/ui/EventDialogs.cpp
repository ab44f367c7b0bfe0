#include "events/ui/EventDialogs.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <cstdio>

#include "base/MessageSink.h"
#include "base/PrivateProfile.h"
#include "base/TimeConversions.h"
#include "base/ZelError.h"

namespace zel {
namespace {

constexpr const char* kSection = "SelectPhaseGroup";
constexpr const char* kWidthSection = "InitialIndexList";
constexpr const char* kWidthKey = "Columns Width";

void ShowError(MessageSink& messages, const std::string& text) {
    messages.show({text, "ZEL", MessageIcon::Error, MessageButtons::Ok});
}

QString Fixed2(const std::optional<double>& value) {
    return value ? QString::asprintf("%.2f", *value) : QString();
}

QStringList Columns(const EventListRow& row) {
    return {QString::fromStdString(row.eventId),
            row.orid ? QString::number(*row.orid) : QString(),
            QString::fromStdString(row.comment),
            Fixed2(row.lat),
            Fixed2(row.lon),
            OriginTimeText(row.originTime),
            Fixed2(row.depth),
            QString::fromStdString(row.loadDate)};
}

}  // namespace

QString OriginTimeText(const std::optional<double>& time) {
    if (!time) return {};
    const std::optional<CalendarTime> c = EpochToCalendar(*time);
    if (!c) return {};
    return QString::asprintf("%02d/%02d/%04d %02d:%02d:%02.2f", c->day, c->month, c->year, c->hour, c->minute,
                             c->second);
}

CNewEventDlg::CNewEventDlg(EventStore& store, MessageSink& messages, bool startsEvent, QWidget* parent)
    : QDialog(parent), store_(store), messages_(messages), startsEvent_(startsEvent) {
    setWindowTitle(startsEvent ? qtTrId("Начать обработку нового землетрясения")
                               : qtTrId("Создать новую запись"));
    id_ = new QLineEdit(QString::fromStdString(store.proposedEventId()), this);
    id_->setMaxLength(static_cast<int>(kEventIdWidth));
    comment_ = new QLineEdit(this);
    comment_->setMaxLength(static_cast<int>(kEventTextWidth));
    auto* form = new QFormLayout;
    form->addRow(qtTrId("Идентификатор"), id_);
    form->addRow(qtTrId("Комментарий"), comment_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CNewEventDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    if (startsEvent) {
        QPushButton* reb = buttons->addButton(qtTrId("Загрузить REB"), QDialogButtonBox::ActionRole);
        connect(reb, &QPushButton::clicked, this, [this] { done(kLoadReb); });
    }
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

void CNewEventDlg::accept() {
    const std::string id = id_->text().toStdString();
    const std::string comment = comment_->text().toStdString();
    try {
        if (startsEvent_)
            store_.NewEvent(id, comment);
        else
            store_.CreateEventRow(id, comment);
    } catch (const ZelError& e) {
        ShowError(messages_, e.what());
        return;
    }
    created_ = PadEventId(id);
    QDialog::accept();
}

CSelectPhaseGroup::CSelectPhaseGroup(EventStore& store, const CurrentEvent& current, MessageSink& messages,
                                     PrivateProfile* ini, Mode mode, QWidget* parent)
    : QDialog(parent), store_(store), current_(current), messages_(messages), ini_(ini), mode_(mode) {
    setWindowTitle(mode == kSave ? qtTrId("Сохранить список фаз") : qtTrId("Загрузить список фаз"));
    list_ = new QTreeWidget(this);
    list_->setRootIsDecorated(false);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setHeaderLabels({qtTrId("Идентификатор"), "ORID", qtTrId("Комментарий"), qtTrId("Широта"),
                            qtTrId("Долгота"), qtTrId("Время в очаге"), qtTrId("Глубина"),
                            qtTrId("Дата записи")});
    all_ = new QCheckBox(qtTrId("Загружать все"), this);
    max_ = new QSpinBox(this);
    max_->setRange(1, 100000);
    all_->setChecked(!ini_ || ini_->getInt(kSection, "SELECT ALL", 1) != 0);
    max_->setValue(ini_ ? std::max(1, ini_->getInt(kSection, "MaxEvents", 20)) : 20);
    create_ = new QPushButton(qtTrId("Создать"), this);
    delete_ = new QPushButton(qtTrId("Удалить"), this);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(mode == kSave ? qtTrId("Сохранить") : qtTrId("Загрузить"));

    auto* limits = new QHBoxLayout;
    limits->addWidget(all_);
    limits->addWidget(new QLabel(qtTrId("Загружать последние"), this));
    limits->addWidget(max_);
    limits->addStretch();
    limits->addWidget(create_);
    limits->addWidget(delete_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(limits);
    layout->addWidget(list_);
    layout->addWidget(buttons);
    resize(900, 420);
    if (ini_) {
        // A missing, zero or negative width keeps the built-in one.
        const QStringList widths =
            QString::fromStdString(ini_->getString(kWidthSection, kWidthKey)).split(',', Qt::SkipEmptyParts);
        for (int c = 0; c < widths.size() && c < list_->columnCount(); ++c)
            if (const int w = ParseLeadingInt(widths[c].trimmed().toStdString()); w > 0)
                list_->setColumnWidth(c, w);
    }

    connect(all_, &QCheckBox::toggled, this, [this] { refill(); });
    connect(max_, &QSpinBox::valueChanged, this, [this] {
        if (!all_->isChecked()) refill();
    });
    connect(create_, &QPushButton::clicked, this, [this] { createEvent(); });
    connect(delete_, &QPushButton::clicked, this, [this] { deleteSelected(); });
    connect(list_, &QTreeWidget::itemDoubleClicked, this, [this] { accept(); });
    connect(buttons, &QDialogButtonBox::accepted, this, &CSelectPhaseGroup::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    refill();
}

void CSelectPhaseGroup::refill() {
    const std::string keep = list_->currentItem()
                                 ? rows_[list_->currentItem()->data(0, Qt::UserRole).toInt()].eventId
                                 : current_.eventId;
    list_->clear();
    rows_.clear();
    try {
        rows_ = store_.ListEvents(all_->isChecked(), max_->value());
    } catch (const ZelError& e) {
        ShowError(messages_, e.what());
    }
    // Saving into the current event must be possible even when it is not among the rows shown.
    const std::string current = TrimEventId(current_.eventId);
    const bool listed = std::any_of(rows_.begin(), rows_.end(),
                                    [&](const EventListRow& r) { return TrimEventId(r.eventId) == current; });
    if (mode_ == kSave && !current.empty() && !listed) {
        EventListRow row;
        row.eventId = current_.eventId;
        row.comment = current_.comment;
        if (current_.orid != -1) row.orid = current_.orid;
        if (current_.hypocentreValid) row.lat = current_.lat, row.lon = current_.lon;
        if (current_.depth >= 0) row.depth = current_.depth;
        if (current_.originTime > 0) row.originTime = current_.originTime;
        rows_.insert(rows_.begin(), row);
    }
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        auto* item = new QTreeWidgetItem(list_, Columns(rows_[i]));
        item->setData(0, Qt::UserRole, static_cast<int>(i));
    }
    select(keep);
}

void CSelectPhaseGroup::select(const std::string& eventId) {
    const std::string wanted = TrimEventId(eventId);
    for (int i = 0; i < list_->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = list_->topLevelItem(i);
        if (TrimEventId(rows_[item->data(0, Qt::UserRole).toInt()].eventId) != wanted) continue;
        list_->setCurrentItem(item);
        list_->scrollToItem(item);
        return;
    }
}

void CSelectPhaseGroup::createEvent() {
    CNewEventDlg dialog(store_, messages_, false, this);
    if (dialog.exec() != QDialog::Accepted) return;
    refill();
    select(dialog.createdId());
}

void CSelectPhaseGroup::deleteSelected() {
    QTreeWidgetItem* item = list_->currentItem();
    if (!item) return;
    const std::string id = rows_[item->data(0, Qt::UserRole).toInt()].eventId;
    const std::string question =
        qtTrId(
            "Идентификатор '%1' будет удален без возможности восстановления вместе со своим списком фаз.\n"
            "Нажмите кнопку 'Да' для подтверждения или 'Нет' для отказа от удаления")
            .arg(QString::fromStdString(id))
            .toStdString();
    if (messages_.show({question, qtTrId("Предупреждение").toStdString(), MessageIcon::Warning,
                        MessageButtons::YesNo}) != MessageAnswer::Yes)
        return;
    std::optional<std::int64_t> orid;
    try {
        orid = store_.DeleteEvent(id);
    } catch (const ZelError& e) {
        ShowError(messages_, e.what());
        return;
    }
    if (orid && *orid >= 0 && onDeleted) onDeleted(*orid);
    list_->setCurrentItem(nullptr);
    refill();
}

void CSelectPhaseGroup::accept() {
    QTreeWidgetItem* item = list_->currentItem();
    if (!item) return;
    chosen_ = rows_[item->data(0, Qt::UserRole).toInt()];
    QDialog::accept();
}

void CSelectPhaseGroup::done(int result) {
    if (ini_) {
        try {
            ini_->writeString(kSection, "SELECT ALL", all_->isChecked() ? "1" : "0");
            ini_->writeString(kSection, "MaxEvents", std::to_string(max_->value()));
            std::string widths;
            for (int c = 0; c < list_->columnCount(); ++c)
                widths += (c ? "," : "") + std::to_string(list_->columnWidth(c));
            ini_->writeString(kWidthSection, kWidthKey, widths);
        } catch (const ZelError&) {
            // The limits are a convenience: a read-only configuration keeps the old ones.
        }
    }
    QDialog::done(result);
}

COriginChooser::COriginChooser(const QString& title, std::vector<AutomaticOrigin> origins, QWidget* parent)
    : QDialog(parent), origins_(std::move(origins)) {
    setWindowTitle(title);
    list_ = new QTreeWidget(this);
    list_->setRootIsDecorated(false);
    list_->setHeaderLabels(
        {"ORID", qtTrId("Время в очаге"), qtTrId("Широта"), qtTrId("Долгота"), qtTrId("Глубина"), "Mb"});
    for (std::size_t i = 0; i < origins_.size(); ++i) {
        const AutomaticOrigin& o = origins_[i];
        auto* item =
            new QTreeWidgetItem(list_, {QString::number(o.orid), OriginTimeText(o.time), Fixed2(o.lat),
                                        Fixed2(o.lon), Fixed2(o.depth), Fixed2(o.mb)});
        item->setData(0, Qt::UserRole, static_cast<int>(i));
    }
    if (list_->topLevelItemCount() > 0) list_->setCurrentItem(list_->topLevelItem(0));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(list_, &QTreeWidget::itemDoubleClicked, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_);
    layout->addWidget(buttons);
    resize(640, 360);
}

std::optional<std::int64_t> COriginChooser::chosenOrid() const {
    QTreeWidgetItem* item = list_->currentItem();
    if (!item) return std::nullopt;
    return origins_[item->data(0, Qt::UserRole).toInt()].orid;
}

CAutomaticSourceDlg::CAutomaticSourceDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(qtTrId("Загрузить данные автоматической локации"));
    dsn_ = new QLineEdit(this);
    user_ = new QLineEdit(this);
    password_ = new QLineEdit(this);
    password_->setEchoMode(QLineEdit::Password);
    auto* form = new QFormLayout;
    form->addRow(qtTrId("Источник данных (DSN)"), dsn_);
    form->addRow(qtTrId("Пользователь"), user_);
    form->addRow(qtTrId("Пароль"), password_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

}  // namespace zel
