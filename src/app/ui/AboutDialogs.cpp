#include "app/ui/AboutDialogs.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

#include "config/CommandLine.h"

namespace zel {
namespace {

void ShowTextDialog(QWidget* parent, const QString& caption, const QStringList& lines) {
    QDialog dialog(parent);
    dialog.setWindowTitle(caption);
    auto* layout = new QVBoxLayout(&dialog);
    for (const QString& line : lines) layout->addWidget(new QLabel(line, &dialog));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    layout->addWidget(buttons);
    dialog.exec();
}

}  // namespace

void ShowAboutDlg(QWidget* parent) {
    ShowTextDialog(
        parent, "About ZEL(mfc)",
        {qtTrId("Windows Quakegrapher (ZEL) - Система обработки сейсмических данных"),
         qtTrId("Версия %1 (%2)")
             .arg(QString::fromStdString(ProgramVersion()), QString::fromStdString(ProgramBuildDate()))});
}

void ShowZelAbout(QWidget* parent) {
    ShowTextDialog(parent, qtTrId("Версия ZEL"),
                   {qtTrId("Дата последнего изменения %1 %2")
                        .arg(QString::fromStdString(ProgramBuildDate()), ZEL_BUILD_TIME),
                    qtTrId("Версия %1").arg(QString::fromStdString(ProgramVersion()))});
}

}  // namespace zel
