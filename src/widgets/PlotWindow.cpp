#include "widgets/PlotWindow.h"

#include <QContextMenuEvent>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QImage>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <algorithm>

#include "widgets/UserMessages.h"
#include "widgets/Workbench.h"

namespace zel {

PlotWindow::PlotWindow(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(320, 240);
}

void PlotWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paintPlot(painter, rect());
}

bool PlotWindow::savePng(const QString& path) const {
    QImage image(size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        paintPlot(painter, image.rect());
    }
    return image.save(path, "PNG");
}

void PlotWindow::print(QPrinter& printer) const {
    QPainter painter(&printer);
    if (!painter.isActive()) return;
    // The page gets the window's proportions, so labels keep their place relative to the plot.
    const QRect page = painter.viewport();
    const double scale = std::min(page.width() / double(std::max(1, width())),
                                  page.height() / double(std::max(1, height())));
    const QSize fitted(int(width() * scale), int(height() * scale));
    painter.setViewport(QRect(page.topLeft(), fitted));
    painter.setWindow(rect());
    paintPlot(painter, rect());
}

bool PlotWindow::savePdf(const QString& path) const {
    return PrintToPdf(path, [this](QPrinter& printer) { print(printer); });
}

void PlotWindow::printDialog() {
    PrintWithDialog(this, [this](QPrinter& printer) { print(printer); });
}

bool PrintToPdf(const QString& path, const std::function<void(QPrinter&)>& print) {
    QFile::remove(path);  // the size below must be of what this call wrote
    QPrinter printer(QPrinter::ScreenResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printer.setPageOrientation(QPageLayout::Landscape);
    print(printer);
    return QFileInfo(path).size() > 0;
}

void PrintWithDialog(QWidget* parent, const std::function<void(QPrinter&)>& print) {
    QPrinter printer(QPrinter::ScreenResolution);
    printer.setPageOrientation(QPageLayout::Landscape);
    QPrintDialog dialog(&printer, parent);
    if (dialog.exec() == QDialog::Accepted) print(printer);
}

void PlotWindow::saveDialog() {
    QString chosen;
    QString path = QFileDialog::getSaveFileName(this, qtTrId("Сохранить рисунок"), windowTitle(),
                                                "PNG (*.png);;PDF (*.pdf)", &chosen);
    if (path.isEmpty()) return;
    const bool pdf = path.endsWith(".pdf", Qt::CaseInsensitive) ||
                     (!path.endsWith(".png", Qt::CaseInsensitive) && chosen.startsWith("PDF"));
    const QString suffix = pdf ? ".pdf" : ".png";
    UserMessages messages(this);
    if (!path.endsWith(suffix, Qt::CaseInsensitive)) {
        path += suffix;
        // The dialog asked about the name as typed, not about this one.
        if (QFileInfo::exists(path) &&
            messages.show({qtTrId("Файл %1 уже существует.\nЗаменить его?").arg(path).toStdString(), "ZEL",
                           MessageIcon::Question, MessageButtons::YesNo}) != MessageAnswer::Yes)
            return;
    }
    if (!(pdf ? savePdf(path) : savePng(path)))
        messages.show({qtTrId("Ошибка записи файла %1").arg(path).toStdString(), "ZEL", MessageIcon::Error,
                       MessageButtons::Ok});
}

void PlotWindow::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    addContextActions(menu);
    if (!menu.isEmpty()) menu.addSeparator();
    menu.addAction(qtTrId("Печать..."), this, &PlotWindow::printDialog);
    menu.addAction(qtTrId("Сохранить как PNG или PDF..."), this, &PlotWindow::saveDialog);
    menu.exec(event->globalPos());
}

QMdiSubWindow* ShowPlotWindow(Workbench& frame, PlotWindow* plot, const QString& title) {
    QMdiArea* area = frame.mdiArea();
    for (QMdiSubWindow* sub : area->subWindowList()) {
        if (sub->widget() && !plot->objectName().isEmpty() && sub->widget()->objectName() == plot->objectName()) {
            sub->close();
            break;
        }
    }
    plot->setWindowTitle(title);
    QMdiSubWindow* sub = area->addSubWindow(plot);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->setWindowTitle(title);
    sub->resize(900, 600);
    sub->show();
    area->setActiveSubWindow(sub);
    return sub;
}

}  // namespace zel
