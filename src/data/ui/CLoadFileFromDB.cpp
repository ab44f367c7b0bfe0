#include "data/ui/CLoadFileFromDB.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStringList>
#include <QTableWidget>
#include <QTimeZone>
#include <QVBoxLayout>
#include <cmath>

#include "base/MessageSink.h"
#include "base/TimeConversions.h"
#include "db/Odbc.h"

namespace zel {
namespace {

constexpr const char* kHeaders[] = {
    QT_TRID_NOOP("Станция"), QT_TRID_NOOP("Канал"), QT_TRID_NOOP("Начало"), QT_TRID_NOOP("Длительность (с)"),
    QT_TRID_NOOP("Частота"), QT_TRID_NOOP("Файл"),  QT_TRID_NOOP("Формат"), QT_TRID_NOOP("Смещение")};

QDate DateOf(double epoch) {
    return QDateTime::fromSecsSinceEpoch(static_cast<qint64>(std::floor(epoch)), QTimeZone::utc()).date();
}

double EpochOf(const QDate& date) {
    return static_cast<double>(QDateTime(date, QTime(0, 0), QTimeZone::utc()).toSecsSinceEpoch());
}

}  // namespace

CLoadFileFromDB::CLoadFileFromDB(Db::Connection& connection, bool wfdisc,
                                 const std::vector<Station>& stations, MessageSink& messages, QWidget* parent)
    : QDialog(parent), connection_(connection), wfdisc_(wfdisc), stations_(stations), messages_(messages) {
    setWindowTitle(qtTrId("Список файлов волновых форм"));
    station_ = new QComboBox(this);
    for (const Station& s : stations_) station_->addItem(QString::fromStdString(s.code));
    useRange_ = new QCheckBox(qtTrId("Дни с"), this);
    from_ = new QDateEdit(this);
    to_ = new QDateEdit(this);
    for (QDateEdit* e : {from_, to_}) {
        e->setDisplayFormat("dd/MM/yyyy");
        e->setCalendarPopup(true);
        e->setDate(QDateTime::currentDateTimeUtc().date());
    }
    // The CSS list is always limited to a range of days.
    useRange_->setChecked(wfdisc_);
    useRange_->setEnabled(!wfdisc_);

    auto* filter = new QHBoxLayout;
    filter->addWidget(new QLabel(qtTrId("Станция"), this));
    filter->addWidget(station_);
    filter->addWidget(useRange_);
    filter->addWidget(from_);
    filter->addWidget(new QLabel(qtTrId("по"), this));
    filter->addWidget(to_);
    auto* update = new QPushButton(qtTrId("Обновить"), this);
    filter->addWidget(update);
    filter->addStretch();

    QStringList headers;
    for (const char* header : kHeaders) headers << qtTrId(header);
    table_ = new QTableWidget(0, static_cast<int>(headers.size()), this);
    table_->setHorizontalHeaderLabels(headers);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->verticalHeader()->hide();

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(filter);
    layout->addWidget(table_);
    layout->addWidget(buttons);
    resize(900, 500);

    connect(update, &QPushButton::clicked, this, &CLoadFileFromDB::refresh);
    connect(station_, &QComboBox::currentIndexChanged, this, &CLoadFileFromDB::refresh);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void CLoadFileFromDB::setColumnWidths(const std::string& text) {
    const QStringList parts = QString::fromStdString(text).split(',');
    for (int i = 0; i < parts.size() && i < table_->columnCount(); ++i) {
        bool ok = false;
        const int width = parts[i].trimmed().toInt(&ok);
        if (ok && width > 0) table_->setColumnWidth(i, width);
    }
}

std::string CLoadFileFromDB::columnWidths() const {
    QStringList parts;
    for (int i = 0; i < table_->columnCount(); ++i) parts << QString::number(table_->columnWidth(i));
    return parts.join(',').toStdString();
}

void CLoadFileFromDB::setStation(int index) { station_->setCurrentIndex(index); }

void CLoadFileFromDB::setDayRange(std::optional<std::pair<double, double>> range) {
    if (range) {
        from_->setDate(DateOf(range->first));
        to_->setDate(DateOf(range->second));
    }
    useRange_->setChecked(range.has_value() || wfdisc_);
}

void CLoadFileFromDB::refresh() {
    files_.clear();
    table_->setRowCount(0);
    const int index = station_->currentIndex();
    if (index < 0 || index >= static_cast<int>(stations_.size())) return;
    const Station& station = stations_[static_cast<std::size_t>(index)];
    const double first = EpochOf(from_->date());
    const double last = EpochOf(to_->date()) + 86399;
    try {
        if (wfdisc_) {
            files_ = ListWfdiscFiles(connection_, station.code, first, last);
        } else {
            std::vector<std::string> channels;
            for (const ChannelSlot& slot : station.slots)
                if (slot.Used() && slot.selected) channels.push_back(slot.channel);
            std::optional<std::pair<double, double>> range;
            if (useRange_->isChecked()) range = std::make_pair(first, last);
            files_ = ListCatalogueFiles(connection_, station.code, range, channels);
        }
    } catch (const Db::Error& e) {
        messages_.show({e.what(), "ZEL", MessageIcon::Error, MessageButtons::Ok});
        return;
    }
    table_->setRowCount(static_cast<int>(files_.size()));
    for (int row = 0; row < static_cast<int>(files_.size()); ++row) {
        const CatalogueFile& f = files_[static_cast<std::size_t>(row)];
        const QStringList cells = {QString::fromStdString(f.station),
                                   QString::fromStdString(f.channel),
                                   QString::fromStdString(FormatUiTime(f.begin, UiTimeForm::DateTimeMs)),
                                   QString::number(f.duration, 'f', 3),
                                   QString::number(f.sps, 'f', 3),
                                   QString::fromStdString(f.path),
                                   QString::number(f.encoding),
                                   f.foff ? QString::number(*f.foff) : QString("NULL")};
        for (int c = 0; c < cells.size(); ++c) table_->setItem(row, c, new QTableWidgetItem(cells[c]));
    }
}

}  // namespace zel
