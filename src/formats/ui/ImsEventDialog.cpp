#include "formats/ui/ImsEventDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <cstdio>

namespace zel {

CSelectIMSEvent::CSelectIMSEvent(const std::vector<ImsEvent>& events, QWidget* parent) : QDialog(parent) {
    setWindowTitle(qtTrId("Выбор EVENT"));
    auto* layout = new QVBoxLayout(this);
    list_ = new QTreeWidget(this);
    list_->setRootIsDecorated(false);
    list_->setHeaderLabels({"EVENT", qtTrId("Дата"), qtTrId("Время"), qtTrId("Широта"), qtTrId("Долгота")});
    for (const ImsEvent& e : events) {
        QStringList cells{QString::fromStdString(e.id)};
        if (e.origin) {
            const ImsOrigin& o = *e.origin;
            char date[32], time[32];
            std::snprintf(date, sizeof date, "%02d/%02d/%04d", o.day, o.month, o.year);
            std::snprintf(time, sizeof time, "%02d:%02d:%05.2f", o.hour, o.minute, o.second);
            cells << date << time << (o.lat ? QString::number(*o.lat, 'f', 4) : QString())
                  << (o.lon ? QString::number(*o.lon, 'f', 4) : QString());
        }
        list_->addTopLevelItem(new QTreeWidgetItem(cells));
    }
    if (list_->topLevelItemCount() > 0) list_->setCurrentItem(list_->topLevelItem(0));
    list_->header()->resizeSections(QHeaderView::ResizeToContents);
    layout->addWidget(list_);
    phasesOnly_ = new QCheckBox(qtTrId("Загружать только информацию о фазах"), this);
    layout->addWidget(phasesOnly_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(list_, &QTreeWidget::itemDoubleClicked, this, &QDialog::accept);
    layout->addWidget(buttons);
    resize(560, 360);
}

int CSelectIMSEvent::chosen() const {
    QTreeWidgetItem* item = list_->currentItem();
    return item ? list_->indexOfTopLevelItem(item) : -1;
}

bool CSelectIMSEvent::phasesOnly() const { return phasesOnly_->isChecked(); }

}  // namespace zel
