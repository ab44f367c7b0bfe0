#include "events/ui/ShowOrigins.h"

#include <QCloseEvent>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "base/MessageSink.h"
#include "base/PrivateProfile.h"
#include "base/ZelError.h"
#include "events/ui/EventDialogs.h"

namespace zel {

CShowOrigins::CShowOrigins(EventStore& store, MessageSink& messages, PrivateProfile* ini, QWidget* parent)
    : QDialog(parent), store_(store), messages_(messages), ini_(ini) {
    setWindowTitle(qtTrId("Список обработанных событий"));
    setModal(false);
    list_ = new QTreeWidget(this);
    list_->setRootIsDecorated(false);
    list_->setHeaderLabels({qtTrId("Идентификатор"), "ORID", qtTrId("Комментарий"), qtTrId("Широта"),
                            qtTrId("Долгота"), qtTrId("Время в очаге"), qtTrId("Глубина")});
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    QPushButton* update = buttons->addButton(qtTrId("Обновить"), QDialogButtonBox::ActionRole);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_);
    layout->addWidget(buttons);
    resize(760, 360);
    connect(update, &QPushButton::clicked, this, [this] { refresh(); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QWidget::close);
    connect(list_, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) {
        const int index = item->data(0, Qt::UserRole).toInt();
        if (onLoad && index >= 0 && index < static_cast<int>(rows_.size())) onLoad(rows_[index].eventId);
    });
}

void CShowOrigins::showWindow() {
    refresh();
    show();
    raise();
    remember(true);
}

void CShowOrigins::refresh() {
    list_->clear();
    rows_.clear();
    try {
        rows_ = store_.ListEvents(true, 0);
    } catch (const ZelError& e) {
        messages_.show({e.what(), "ZEL", MessageIcon::Error, MessageButtons::Ok});
    }
    auto fixed = [](const std::optional<double>& v) { return v ? QString::asprintf("%.2f", *v) : QString(); };
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        const EventListRow& r = rows_[i];
        auto* item = new QTreeWidgetItem(
            list_, {QString::fromStdString(TrimEventId(r.eventId)),
                    r.orid ? QString::number(*r.orid) : QString(), QString::fromStdString(r.comment),
                    fixed(r.lat), fixed(r.lon), OriginTimeText(r.originTime), fixed(r.depth)});
        item->setData(0, Qt::UserRole, static_cast<int>(i));
    }
}

void CShowOrigins::closeEvent(QCloseEvent* event) {
    remember(false);
    QDialog::closeEvent(event);
}

void CShowOrigins::remember(bool shown) {
    if (!ini_) return;
    try {
        ini_->writeString("SHOWORIGINS", "SHOWWINDOW", shown ? "1" : "0");
    } catch (const ZelError&) {
        // A read-only configuration only forgets whether the window was open.
    }
}

}  // namespace zel
