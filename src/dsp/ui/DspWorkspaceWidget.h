#pragma once
// The DSP workspace window ("ПОС"): the current window's formula above a stack of plot windows
// W0, W1, ...; its commands save and load worksheets and data, exchange data through the
// clipboard, overlay curves, fix windows and print.

#include <QWidget>
#include <cstdint>
#include <memory>
#include <vector>

#include "dsp/DspWorkspace.h"
#include "wave/PaneFormulaChannels.h"

class QLabel;
class QLineEdit;
class QPrinter;
class QVBoxLayout;

namespace zel {

class AppContext;
class Workbench;
class CSavedFormulas;
class waveform;

// One plot window of the workspace; a click makes it current, a double click opens its formula.
class CDSPWindow : public QWidget {
    Q_OBJECT
  public:
    CDSPWindow(const DspWorkspace& model, int index, QWidget* parent = nullptr);
    int index() const { return index_; }

  Q_SIGNALS:
    void clicked(int index);
    void doubleClicked(int index);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

  private:
    const DspWorkspace& model_;
    int index_;
};

class CDSP : public QWidget {
    Q_OBJECT
  public:
    // `waveforms` gives the channels d%d, t%d, sd%d, st%d (may be null).
    CDSP(AppContext& context, waveform* waveforms, QWidget* parent = nullptr);
    ~CDSP() override;

    DspWorkspace& model() { return model_; }
    QLineEdit* formulaEdit() const { return formula_; }
    CSavedFormulas& savedFormulas() { return *saved_; }
    const std::vector<CDSPWindow*>& windows() const { return windows_; }

    void setCurrent(int index);
    // The formula of the current window, then the cascade and a redraw.
    void applyFormula(const QString& text);
    // Rebuilds the plot windows after their number changed, and redraws them.
    void rebuildWindows();
    void redrawAll();

    // The commands. Those with a path do the work without a file dialog.
    void saveWorksheetDialog();
    void loadWorksheetDialog();
    bool saveWorksheet(const QString& path);
    bool loadWorksheet(const QString& path);
    void saveDataDialog();
    void loadDataDialog();
    bool saveData(const QString& path);
    bool loadData(const QString& path);
    void copyToClipboard();
    void pasteFromClipboard();
    void toggleFixed();
    void overlayDialog();
    void propertiesDialog();
    void formulaDialog();
    // "Спектрограмма...": asks for the segmenting, then shows the current window's spectrogram.
    void spectrogramDialog(Workbench& frame);
    // The same without the dialog. An empty window or a bad parameter is reported (false).
    bool showSpectrogram(Workbench& frame, std::int64_t n, std::int64_t overlap, double maxFrequency);
    void addWindow();
    void removeLastWindow();
    void recomputeAll();
    void printDialog();
    // Every window, one under the other, on the pages of the printer.
    void print(QPrinter& printer);
    bool printToPdf(const QString& path);

    // Actions whose checked state follows the current window ("Зафиксировать окно").
    void setFixAction(QAction* action) { fixAction_ = action; }

  Q_SIGNALS:
    void currentChanged(int index);

  private:
    void showCurrent();
    void redraw(const std::vector<int>& indexes);
    // False unless the file is new or the analyst agrees to replace it.
    bool mayWrite(const QString& path);
    void report(const std::string& text);
    QString startDirectory(const char* sub) const;

    AppContext& context_;
    DspWorkspace model_;
    PaneFormulaChannels channels_;
    std::unique_ptr<CSavedFormulas> saved_;
    QLabel* name_ = nullptr;
    QLineEdit* formula_ = nullptr;
    QLabel* error_ = nullptr;
    QVBoxLayout* stack_ = nullptr;
    std::vector<CDSPWindow*> windows_;
    QAction* fixAction_ = nullptr;
};


// Puts the workspace into the frame's permanent DSP window and wires its commands.
CDSP* InstallDspWorkspace(Workbench& frame, AppContext& context);

}  // namespace zel
