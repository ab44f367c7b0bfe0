#pragma once
// "Невязки": the residuals of the current location against distance and azimuth. The window
// follows the session, so a new location or an edited pick shows at once.

#include <vector>

#include "events/ResidualRows.h"
#include "widgets/PlotWindow.h"

class QAction;

namespace zel {

class AppContext;
class Workbench;

class ResidualPlotWindow : public PlotWindow {
    Q_OBJECT
  public:
    explicit ResidualPlotWindow(AppContext& context, QWidget* parent = nullptr);
    ~ResidualPlotWindow() override;

    void paintPlot(QPainter& painter, const QRect& area) const override;
    const std::vector<ResidualRow>& rows() const { return rows_; }

  private:
    void refresh();

    AppContext& context_;
    std::vector<ResidualRow> rows_;
    int observer_ = 0;
};

// Binds the command; returns its action for the phase list's menu.
QAction* InstallResidualPlotCommand(Workbench& frame, AppContext& context);

}  // namespace zel
