#include "events/ui/ResidualPlotWindow.h"

#include <QPainter>

#include "events/CurrentEvent.h"
#include "session/AppContext.h"
#include "wave/paint/ResidualPlotPainter.h"
#include "widgets/Commands.h"
#include "widgets/Workbench.h"

namespace zel {
namespace {

constexpr const char* kCaption = QT_TRID_NOOP("Система обработки сейсмических данных");

std::vector<ResidualRow> RowsOf(AppContext& context) {
    const Session& s = context.session();
    return ResidualRows(s.phases(), context.stations(), s.catalogue(), s.event());
}

}  // namespace

ResidualPlotWindow::ResidualPlotWindow(AppContext& context, QWidget* parent)
    : PlotWindow(parent), context_(context), rows_(RowsOf(context)) {
    setObjectName("ResidualPlotWindow");
    observer_ = context_.session().observe([this](SessionChange what) {
        if (what == SessionChange::Picks || what == SessionChange::Hypocentre ||
            what == SessionChange::Stations)
            refresh();
    });
}

ResidualPlotWindow::~ResidualPlotWindow() { context_.session().forget(observer_); }

void ResidualPlotWindow::refresh() {
    rows_ = RowsOf(context_);
    update();
}

void ResidualPlotWindow::paintPlot(QPainter& painter, const QRect& area) const {
    PaintResidualPlots(painter, area, rows_, font());
}

QAction* InstallResidualPlotCommand(Workbench& frame, AppContext& context) {
    return frame.bind(cmd::kResidualPlots, &frame.mainWindow(), [&frame, &context] {
        auto warn = [&context](const char* id) {
            context.messages().show({qtTrId(id).toStdString(), qtTrId(kCaption).toStdString(),
                                     MessageIcon::Warning, MessageButtons::Ok});
        };
        if (!context.session().event().hypocentreValid) return warn(kNoHypocentreText);
        if (RowsOf(context).empty()) return warn(QT_TRID_NOOP("Нет фаз с невязками для текущего гипоцентра"));
        ShowPlotWindow(frame, new ResidualPlotWindow(context),
                       QString::fromStdString(cmd::CommandText(cmd::kResidualPlots)));
    });
}

}  // namespace zel
