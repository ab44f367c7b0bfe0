#include "formats/ui/CssFilesDialogs.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "base/MessageSink.h"
#include "base/TimeConversions.h"
#include "formats/EventReport.h"

namespace zel {
namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }

void AddButtons(QDialog& dialog, QFormLayout& form) {
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    form.addRow(buttons);
}

}  // namespace

QLineEdit* AddFolderRow(QDialog& dialog, QFormLayout& form, const std::string& folder) {
    auto* edit = new QLineEdit(Q(folder));
    auto* browse = new QPushButton("...");
    QObject::connect(browse, &QPushButton::clicked, &dialog, [&dialog, edit] {
        const QString chosen = QFileDialog::getExistingDirectory(&dialog, qtTrId("Каталог"), edit->text());
        if (!chosen.isEmpty()) edit->setText(chosen);
    });
    auto* row = new QHBoxLayout;
    row->addWidget(edit, 1);
    row->addWidget(browse);
    form.addRow(qtTrId("Каталог"), row);
    return edit;
}

CCssFilesDlg::CCssFilesDlg(long long orid, const std::string& folder, MessageSink& messages, QWidget* parent)
    : QDialog(parent), messages_(messages) {
    setWindowTitle(qtTrId("Сохранить результаты обработки в файлы в формате CSS"));
    auto* form = new QFormLayout(this);
    orid_ = new QLineEdit(QString::number(orid));
    orid_->setValidator(new QIntValidator(1, 99999999, orid_));
    form->addRow("ORID", orid_);
    folder_ = AddFolderRow(*this, *form, folder);
    AddButtons(*this, *form);
}

long long CCssFilesDlg::orid() const { return orid_->text().toLongLong(); }

std::string CCssFilesDlg::folder() const { return folder_->text().toStdString(); }

void CCssFilesDlg::accept() {
    if (!orid_->hasAcceptableInput()) {
        messages_.show({qtTrId("Введите ORID от 1 до 99999999").toStdString(), "ZEL", MessageIcon::Error,
                        MessageButtons::Ok});
        orid_->setFocus();
        return;
    }
    QDialog::accept();
}

CCssRangeDlg::CCssRangeDlg(double from, double to, const std::string& folder, MessageSink& messages,
                           QWidget* parent)
    : QDialog(parent), messages_(messages) {
    setWindowTitle(qtTrId("Сохранить результаты обработки из БД в файлы в формате CSS"));
    auto* form = new QFormLayout(this);
    from_ = new QLineEdit(Q(FormatUiTime(from, UiTimeForm::DateTime)));
    to_ = new QLineEdit(Q(FormatUiTime(to, UiTimeForm::DateTime)));
    form->addRow(qtTrId("с"), from_);
    form->addRow(qtTrId("по"), to_);
    folder_ = AddFolderRow(*this, *form, folder);
    AddButtons(*this, *form);
}

std::string CCssRangeDlg::folder() const { return folder_->text().toStdString(); }

void CCssRangeDlg::accept() {
    const std::optional<double> from = ParseUiDateTime(from_->text().trimmed().toStdString());
    const std::optional<double> to = ParseUiDateTime(to_->text().trimmed().toStdString());
    if (!from || !to) {
        messages_.show({qtTrId(kReportBadTime).toStdString(), "ZEL", MessageIcon::Error, MessageButtons::Ok});
        (from ? to_ : from_)->setFocus();
        return;
    }
    fromTime_ = *from;
    toTime_ = *to;
    QDialog::accept();
}

}  // namespace zel
