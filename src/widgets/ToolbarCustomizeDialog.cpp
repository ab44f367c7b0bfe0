#include "widgets/ToolbarCustomizeDialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "base/PrivateProfile.h"
#include "widgets/Commands.h"
#include "widgets/ZelToolbar.h"

namespace zel {
namespace {

constexpr const char* kSeparatorText = QT_TRID_NOOP("Разделитель");

QListWidgetItem* MakeItem(int id) {
    auto* item =
        new QListWidgetItem(id == 0 ? qtTrId(kSeparatorText) : QString::fromStdString(cmd::CommandText(id)));
    item->setData(Qt::UserRole, id);
    return item;
}

}  // namespace

ToolbarCustomizeDialog::ToolbarCustomizeDialog(CZELToolbar& toolbar, PrivateProfile& registry,
                                               QWidget* parent)
    : QDialog(parent), toolbar_(toolbar), registry_(registry) {
    setWindowTitle(qtTrId("Настроить панель инструментов"));
    available_ = new QListWidget(this);
    current_ = new QListWidget(this);
    auto* add = new QPushButton(qtTrId("Добавить ->"), this);
    auto* remove = new QPushButton(qtTrId("<- Удалить"), this);
    auto* up = new QPushButton(qtTrId("Вверх"), this);
    auto* down = new QPushButton(qtTrId("Вниз"), this);
    auto* resetButton = new QPushButton(qtTrId("Сброс"), this);
    auto* close = new QPushButton(qtTrId("Закрыть"), this);
    connect(add, &QPushButton::clicked, this, &ToolbarCustomizeDialog::addSelected);
    connect(remove, &QPushButton::clicked, this, &ToolbarCustomizeDialog::removeSelected);
    connect(up, &QPushButton::clicked, this, [this] { moveSelected(-1); });
    connect(down, &QPushButton::clicked, this, [this] { moveSelected(1); });
    connect(resetButton, &QPushButton::clicked, this, &ToolbarCustomizeDialog::reset);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttons = new QVBoxLayout;
    for (QPushButton* b : {add, remove, up, down, resetButton, close}) buttons->addWidget(b);
    buttons->addStretch();
    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(qtTrId("Имеющиеся кнопки:"), this), 0, 0);
    grid->addWidget(new QLabel(qtTrId("Кнопки панели инструментов:"), this), 0, 1);
    grid->addWidget(available_, 1, 0);
    grid->addWidget(current_, 1, 1);
    grid->addLayout(buttons, 1, 2);

    // What "Сброс" returns to.
    SaveToolbarLayout(registry_, "TMP", toolbar_.layout());
    refill();
}

void ToolbarCustomizeDialog::refill() {
    available_->clear();
    current_->clear();
    const auto& layout = toolbar_.layout();
    available_->addItem(MakeItem(0));
    for (int id : toolbar_.offeredButtons())
        if (id != 0 && std::find(layout.begin(), layout.end(), id) == layout.end())
            available_->addItem(MakeItem(id));
    for (int id : layout) current_->addItem(MakeItem(id));
}

void ToolbarCustomizeDialog::apply(const std::vector<int>& layout) {
    toolbar_.applyLayout(layout);
    refill();
}

void ToolbarCustomizeDialog::addSelected() {
    QListWidgetItem* item = available_->currentItem();
    if (!item) return;
    ToolbarLayout layout = toolbar_.layout();
    int at = current_->currentRow() < 0 ? static_cast<int>(layout.size()) : current_->currentRow() + 1;
    layout.insert(layout.begin() + at, item->data(Qt::UserRole).toInt());
    apply(layout);
    current_->setCurrentRow(at);
}

void ToolbarCustomizeDialog::removeSelected() {
    int row = current_->currentRow();
    if (row < 0) return;
    ToolbarLayout layout = toolbar_.layout();
    layout.erase(layout.begin() + row);
    apply(layout);
    current_->setCurrentRow(std::min(row, current_->count() - 1));
}

void ToolbarCustomizeDialog::moveSelected(int step) {
    int row = current_->currentRow();
    ToolbarLayout layout = toolbar_.layout();
    int to = row + step;
    if (row < 0 || to < 0 || to >= static_cast<int>(layout.size())) return;
    std::swap(layout[row], layout[to]);
    apply(layout);
    current_->setCurrentRow(to);
}

void ToolbarCustomizeDialog::reset() {
    if (auto saved = LoadToolbarLayout(registry_, "TMP", toolbar_.offeredButtons())) apply(*saved);
}

}  // namespace zel
