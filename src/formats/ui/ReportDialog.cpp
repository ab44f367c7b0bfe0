#include "formats/ui/ReportDialog.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QFontComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>
#include <ctime>

#include "base/MessageSink.h"
#include "base/TimeConversions.h"
#include "base/ZelError.h"
#include "db/Databases.h"

namespace zel {
namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }

void ShowError(MessageSink& messages, const std::string& text) {
    messages.show({text, qtTrId("Отчет").toStdString(), MessageIcon::Error, MessageButtons::Ok});
}

}  // namespace

void CReportDlg::setInterval(double from, double to) {
    start_->setText(Q(FormatUiTime(from, UiTimeForm::DateTime)));
    end_->setText(Q(FormatUiTime(to, UiTimeForm::DateTime)));
}

CReportDlg::CReportDlg(Databases& databases, MessageSink& messages, std::string outDir, QWidget* parent)
    : QDialog(parent), databases_(databases), messages_(messages), outDir_(std::move(outDir)) {
    setWindowTitle(qtTrId("Отчет"));
    const double now = static_cast<double>(std::time(nullptr));
    start_ = new QLineEdit(Q(FormatUiTime(now - 86400.0, UiTimeForm::DateTime)));
    end_ = new QLineEdit(Q(FormatUiTime(now, UiTimeForm::DateTime)));
    phases_ = new QCheckBox(qtTrId("Выводить списки фаз"));
    ascending_ = new QCheckBox(qtTrId("Сортировать по возрастанию"));
    ascending_->setChecked(true);
    font_ = new QFontComboBox;
    view_ = new QTextBrowser;
    view_->setOpenLinks(false);

    auto* form = new QFormLayout;
    form->addRow(qtTrId("с"), start_);
    form->addRow(qtTrId("по"), end_);
    form->addRow(phases_);
    form->addRow(ascending_);
    form->addRow(qtTrId("Шрифт"), font_);
    auto* buttons = new QHBoxLayout;
    auto button = [&](const QString& text, auto handler) {
        auto* b = new QPushButton(text);
        connect(b, &QPushButton::clicked, this, handler);
        buttons->addWidget(b);
    };
    button(qtTrId("Показать"), [this] { showReport(); });
    button(qtTrId("Сохранить"), [this] { save(); });
    button(qtTrId("Распечатать"), [this] { print(); });
    button(qtTrId("Закрыть"), [this] { reject(); });
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
    layout->addWidget(view_, 1);
    connect(font_, &QFontComboBox::currentFontChanged, view_,
            [this](const QFont& font) { view_->document()->setDefaultFont(font); });
    resize(900, 600);
}

bool CReportDlg::showReport() {
    const std::optional<double> start = ParseUiDateTime(start_->text().trimmed().toStdString());
    const std::optional<double> end = ParseUiDateTime(end_->text().trimmed().toStdString());
    if (!start || !end) {
        ShowError(messages_, qtTrId(kReportBadTime).toStdString());
        (start ? end_ : start_)->setFocus();
        return false;
    }
    try {
        Report report = ReadReport(databases_.work(), databases_.dialect(), databases_.originCommentColumn(),
                                   *start, *end, phases_->isChecked(), ascending_->isChecked());
        view_->setHtml(Q(ReportHtml(report)));
        shown_ = std::move(report);
    } catch (const ZelError& e) {
        ShowError(messages_, e.what());
        return false;
    }
    return true;
}

void CReportDlg::saveTo(const std::string& path) {
    if (!shown_) {
        ShowError(messages_, qtTrId(kReportNotShown).toStdString());
        return;
    }
    try {
        messages_.show({SaveReport(*shown_, path), qtTrId("Отчет").toStdString(), MessageIcon::Information,
                        MessageButtons::Ok});
    } catch (const ZelError& e) {
        ShowError(messages_, e.what());
    }
}

void CReportDlg::save() {
    if (!shown_) {
        ShowError(messages_, qtTrId(kReportNotShown).toStdString());
        return;
    }
    QString dir = Q(outDir_).replace('\\', '/');
    if (!dir.isEmpty() && !dir.endsWith('/')) dir += '/';
    const QString html = qtTrId("Отчет в HTML (*.htm)");
    QFileDialog dialog(
        this, qtTrId("Сохранить"), dir + Q(DefaultReportFileName(shown_->start, shown_->end)),
        qtTrId("Текстовый файл отчета (*.txt)") + ";;" + html + ";;" + qtTrId("Все файлы (*)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix("htm");
    dialog.selectNameFilter(html);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
    saveTo(dialog.selectedFiles().first().toStdString());
}

void CReportDlg::print() {
    if (!shown_) {
        ShowError(messages_, qtTrId(kReportNotShown).toStdString());
        return;
    }
    QPrinter printer;
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() == QDialog::Accepted) view_->print(&printer);
}

}  // namespace zel
