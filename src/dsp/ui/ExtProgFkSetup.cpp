#include "dsp/ui/ExtProgFkSetup.h"

#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

#include "dsp/FkModuleSettings.h"
#include "session/AppContext.h"

namespace zel {
namespace {

// A field with its "..." button on one row.
QWidget* WithBrowseButton(QLineEdit* edit, QPushButton* button) {
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(edit);
    button->setFixedWidth(32);
    layout->addWidget(button);
    return row;
}

}  // namespace

CExtProgFKSetup::CExtProgFKSetup(AppContext& context, QWidget* parent) : SettingsPage(parent), context_(context) {
    const FkModuleSettings s =
        LoadFkModuleSettings(context.ini(), context.paths().executableDir, context.settings().workingDir);
    module_ = new QLineEdit(QString::fromStdString(s.module));
    exchange_ = new QLineEdit(QString::fromStdString(s.exchangeDir));
    auto* browseModule = new QPushButton("...");
    auto* browseExchange = new QPushButton("...");
    auto* form = new QFormLayout(this);
    form->addRow(qtTrId("Имя программы"), WithBrowseButton(module_, browseModule));
    form->addRow(qtTrId("Каталог для обмена данными"), WithBrowseButton(exchange_, browseExchange));
    connect(browseModule, &QPushButton::clicked, this, &CExtProgFKSetup::browseModule);
    connect(browseExchange, &QPushButton::clicked, this, &CExtProgFKSetup::browseExchange);
}

void CExtProgFKSetup::browseModule() {
    // Programs here seldom end in ".exe": the dialog opens on all files.
    const QString all = qtTrId("Все файлы (*)");
    QString filter = all;
    const QString start = module_->text().isEmpty() ? QString("fk.exe") : module_->text();
    const QString path = QFileDialog::getOpenFileName(this, qtTrId("Имя программы"), start,
                                                      qtTrId("Программы (*.exe)") + ";;" + all, &filter);
    if (!path.isEmpty()) module_->setText(path);
}

void CExtProgFKSetup::browseExchange() {
    const QString dir = QFileDialog::getExistingDirectory(
        this, qtTrId("Выберите каталог для обмена данными с программой F-K анализа"), exchange_->text());
    if (!dir.isEmpty()) exchange_->setText(dir);
}

void CExtProgFKSetup::save() {
    SaveFkModuleSettings(context_.ini(), {module_->text().trimmed().toStdString(), exchange_->text().trimmed().toStdString()});
}

}  // namespace zel
