#include "events/ui/GetArrivalsDlg.h"

#include <QDateTimeEdit>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimeZone>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <cmath>

#include "base/MessageSink.h"
#include "base/TimeConversions.h"
#include "base/ZelError.h"

namespace zel {
namespace {

UtcDateTimeEdit* UtcField(double epoch, QWidget* parent) {
    return new UtcDateTimeEdit("dd.MM.yyyy HH:mm:ss", std::floor(epoch), parent);
}

double Epoch(const UtcDateTimeEdit* edit) { return std::floor(edit->epoch()); }

QString TimeText(double epoch) {
    const std::optional<CalendarTime> t = EpochToYdhms(epoch, 0);
    if (!t) return {};
    return QString::asprintf("%02d.%02d.%04d %02d:%02d:%02d", t->day, t->month, t->year, t->hour, t->minute,
                             t->wholeSecond());
}

}  // namespace

CGetArrivalsDlg::CGetArrivalsDlg(Reader reader, MessageSink& messages, double from, double to,
                                 QWidget* parent)
    : QDialog(parent), reader_(std::move(reader)), messages_(messages) {
    setWindowTitle("Get Arrivals");
    from_ = UtcField(from, this);
    to_ = UtcField(to, this);
    auto* findButton = new QPushButton(qtTrId("Найти"), this);
    list_ = new QTreeWidget(this);
    list_->setRootIsDecorated(false);
    list_->setHeaderLabels({qtTrId("Станция"), qtTrId("Фаза"), qtTrId("Время"), qtTrId("Разность, с")});
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    auto* window = new QHBoxLayout;
    window->addWidget(new QLabel(qtTrId("С"), this));
    window->addWidget(from_);
    window->addWidget(new QLabel(qtTrId("по"), this));
    window->addWidget(to_);
    window->addWidget(findButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(window);
    layout->addWidget(list_);
    layout->addWidget(buttons);
    resize(640, 420);
    connect(findButton, &QPushButton::clicked, this, [this] { find(); });
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    find();
}

void CGetArrivalsDlg::find() {
    list_->clear();
    rows_.clear();
    try {
        rows_ = reader_(Epoch(from_), Epoch(to_));
    } catch (const ZelError& e) {
        messages_.show({e.what(), "ZEL", MessageIcon::Error, MessageButtons::Ok});
    }
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        const DetectionRow& r = rows_[i];
        auto* item = new QTreeWidgetItem(
            list_, {QString::fromStdString(r.station), QString::fromStdString(r.phase), TimeText(r.time),
                    r.difference ? QString::asprintf("%.3f", *r.difference) : QString()});
        item->setCheckState(0, r.checked ? Qt::Checked : Qt::Unchecked);
        item->setData(0, Qt::UserRole, static_cast<int>(i));
    }
}

std::vector<DetectionRow> CGetArrivalsDlg::checkedRows() const {
    std::vector<DetectionRow> checked;
    for (int i = 0; i < list_->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = list_->topLevelItem(i);
        if (item->checkState(0) != Qt::Checked) continue;
        DetectionRow row = rows_[item->data(0, Qt::UserRole).toInt()];
        row.checked = true;
        checked.push_back(std::move(row));
    }
    return checked;
}

}  // namespace zel
