#pragma once
// "Сейсмограммы по расстоянию": the record section of the active panes for the current
// hypocentre. It follows the session (a new location or new picks redraw it); a click on a trace
// makes that trace's pane the main pane of the waveform window and scrolls it into view.

#include <functional>
#include <optional>

#include "wave/RecordSection.h"
#include "wave/paint/RecordSectionPainter.h"
#include "widgets/PlotWindow.h"

namespace zel {

class AppContext;
class Session;
class Workbench;

class RecordSectionWindow : public PlotWindow {
    Q_OBJECT
  public:
    // Builds the section again (allCurves: every phase with a curve); throws ZelError when it
    // cannot.
    using Source = std::function<RecordSection(bool allCurves)>;

    RecordSectionWindow(RecordSection section, Source source, Session& session, QWidget* parent = nullptr);
    ~RecordSectionWindow() override;

    void paintPlot(QPainter& painter, const QRect& area) const override;

    const RecordSection& section() const { return section_; }
    const SectionStyle& style() const { return style_; }
    void setReduction(const Reduction& reduction);
    void setTransformed(bool on);
    void setAllCurves(bool on);
    // The trace under a point of the window, -1 when none.
    int traceAt(QPoint point) const;

    // A click on a trace.
    std::function<void(const SectionTrace&)> traceClicked;

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void addContextActions(QMenu& menu) override;

  private:
    void rebuild();

    RecordSection section_;
    Source source_;
    Session& session_;
    int observer_ = 0;
    SectionStyle style_;
    bool allCurves_ = false;
};

// The command "Сейсмограммы по расстоянию" of the waveform window.
void InstallRecordSectionCommand(Workbench& frame, AppContext& context);

}  // namespace zel
