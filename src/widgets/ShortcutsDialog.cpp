#include "widgets/ShortcutsDialog.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QKeySequence>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

#include "widgets/Commands.h"

namespace zel {

void ShowShortcuts(QWidget* parent) {
    QDialog dialog(parent);
    dialog.setWindowTitle(qtTrId("Клавиши и команды"));
    dialog.setObjectName("ShortcutsDialog");
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(new QLabel(
        qtTrId("Клавиши без Ctrl действуют в окне волновых форм, на окне канала под указателем мыши.\n"
               "Колесо мыши: масштаб времени вокруг указателя; Ctrl+колесо: масштаб амплитуды; "
               "Shift+колесо: прокрутка окон; средняя кнопка: сдвиг по времени."),
        &dialog));
    auto* table = new QTableWidget(0, 2, &dialog);
    table->setObjectName("shortcuts");
    table->setHorizontalHeaderLabels({qtTrId("Клавиши"), qtTrId("Команда")});
    table->verticalHeader()->hide();
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    for (const cmd::Command& c : cmd::AllCommands()) {
        if (!*c.shortcut) continue;
        const int row = table->rowCount();
        table->insertRow(row);
        const QKeySequence keys(QString::fromUtf8(c.shortcut));
        table->setItem(row, 0, new QTableWidgetItem(keys.toString(QKeySequence::NativeText)));
        table->setItem(row, 1,
                       new QTableWidgetItem(QString::fromStdString(cmd::CommandText(c.id)).remove("(*)")));
    }
    table->resizeColumnsToContents();
    table->horizontalHeader()->setStretchLastSection(true);
    layout->addWidget(table);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(buttons);
    dialog.resize(640, 560);
    dialog.exec();
}

}  // namespace zel
