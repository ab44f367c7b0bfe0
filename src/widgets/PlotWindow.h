#pragma once
// A window that shows one drawing (the record section, the residual plots, a spectrogram) and
// prints it or saves it as PNG or PDF. One paint function draws the screen, the page and the
// files, so what is saved is what the analyst looked at.

#include <QString>
#include <QWidget>
#include <functional>

class QMdiSubWindow;
class QPainter;
class QPrinter;

namespace zel {

class Workbench;

class PlotWindow : public QWidget {
    Q_OBJECT
  public:
    explicit PlotWindow(QWidget* parent = nullptr);

    // Draws the whole plot into the area (white background included).
    virtual void paintPlot(QPainter& painter, const QRect& area) const = 0;

    // At the window's present size. False when the file could not be written.
    bool savePng(const QString& path) const;
    // One landscape page with the window's proportions.
    bool savePdf(const QString& path) const;
    void print(QPrinter& printer) const;

    void printDialog();
    // Asks for a file name; the suffix (.png or .pdf) chooses the format.
    void saveDialog();

  protected:
    void paintEvent(QPaintEvent* event) override;
    // "Печать...", "Сохранить как PNG или PDF..." and what the window adds.
    void contextMenuEvent(QContextMenuEvent* event) override;
    virtual void addContextActions(class QMenu& menu) { (void)menu; }
};

// A landscape printer at screen resolution, so that drawings keep their screen proportions: into
// a PDF file (false when nothing was written), or through the print dialog.
bool PrintToPdf(const QString& path, const std::function<void(QPrinter&)>& print);
void PrintWithDialog(QWidget* parent, const std::function<void(QPrinter&)>& print);

// Shows the plot as a sub-window of the frame's MDI area that goes away when closed; a plot with
// the same object name that is already open is replaced, so repeating a command never piles up
// windows.
QMdiSubWindow* ShowPlotWindow(Workbench& frame, PlotWindow* plot, const QString& title);

}  // namespace zel
