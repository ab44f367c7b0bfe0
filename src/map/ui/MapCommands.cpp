#include "map/ui/MapCommands.h"

#include <QAction>
#include <QActionGroup>
#include <QComboBox>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <ctime>

#include "events/CurrentEvent.h"
#include "map/NetworkFilter.h"
#include "map/ui/CMapWnd.h"
#include "map/ui/EpicentreDlg.h"
#include "session/AppContext.h"
#include "widgets/Commands.h"
#include "widgets/Workbench.h"
#include "widgets/ZelToolbar.h"

namespace zel {
namespace {

// OK of the epicentre dialog: the current epicentre takes the values, or is cleared.
void EditEpicentre(CMapWnd* map, EpicentreValues values) {
    if (values.originTime <= 0) values.originTime = static_cast<double>(std::time(nullptr));
    CEpicentreDlg dialog(values, map);
    if (dialog.exec() != QDialog::Accepted) return;
    CurrentEvent& event = map->session().event();
    if (dialog.clearRequested()) {
        event.hypocentreValid = false;
    } else {
        event.lat = static_cast<float>(dialog.values().lat);
        event.lon = static_cast<float>(dialog.values().lon);
        event.depth = static_cast<float>(dialog.values().depth);
        event.originTime = dialog.values().originTime;
        event.ellipse = {};
        event.hypocentreValid = true;
    }
    map->session().changed(SessionChange::Hypocentre);
}

void FillNetworkBox(QComboBox* box, const std::vector<Network>& networks) {
    box->clear();
    box->addItem(qtTrId(kAllStationsEntry));
    for (const Network& network : networks) box->addItem(QString::fromStdString(network.name));
}

}  // namespace

CMapWnd* InstallMap(Workbench& frame, AppContext& context) {
    const MapDataFiles files = FindMapDataFiles(MapDataFolders(
        context.settings().workingDir, context.paths().executableDir, context.paths().resources));
    auto* map = new CMapWnd(context.session(), context.stations(), context.networks(), files);
    frame.setChildWidget(Workbench::kMap, map);
    QObject::connect(map, &CMapWnd::statusText, &frame.mainWindow(),
                     [&frame](const QString& text) { frame.showStatusMessage(text); });

    QAction* zoomIn = frame.bind(cmd::kMapZoomIn, map, [map] { map->zoomIn(); });
    QAction* zoomOut = frame.bind(cmd::kMapZoomOut, map, [map] { map->zoomOut(); });
    QAction* east = frame.bind(cmd::kMapShiftEast, map, [map] { map->shiftEast(); });
    QAction* west = frame.bind(cmd::kMapShiftWest, map, [map] { map->shiftWest(); });
    QAction* north = frame.bind(cmd::kMapShiftNorth, map, [map] { map->shiftNorth(); });
    QAction* south = frame.bind(cmd::kMapShiftSouth, map, [map] { map->shiftSouth(); });
    QAction* reset = frame.bind(cmd::kMapReset, map, [map] { map->resetView(); });
    QAction* fitNetwork = frame.bind(cmd::kMapFitNetwork, map, [map] { map->fitNetwork(); });
    QAction* fitEvent = frame.bind(cmd::kMapFitEvent, map, [map, &frame] {
        if (!map->fitEvent()) frame.showStatusMessage(qtTrId("Нет ни эпицентра, ни фаз события"));
    });

    auto* modes = new QActionGroup(map);
    const std::pair<int, CMapWnd::Mode> modeCommands[] = {{cmd::kMapRelief, CMapWnd::kRelief},
                                                          {cmd::kMapCoastlines, CMapWnd::kCoastlines},
                                                          {cmd::kMapSimple, CMapWnd::kSimple}};
    std::vector<QAction*> modeActions;
    for (auto [id, mode] : modeCommands) {
        QAction* a = frame.bind(id, map, [map, mode] { map->setMode(mode); });
        a->setCheckable(true);
        a->setChecked(mode == map->mode());
        modes->addAction(a);
        modeActions.push_back(a);
    }
    QAction* azimuths = frame.action(cmd::kMapAzimuths);
    azimuths->setEnabled(true);
    azimuths->setCheckable(true);
    azimuths->setChecked(map->azimuths());
    QObject::connect(azimuths, &QAction::toggled, map, [map](bool on) { map->setAzimuths(on); });

    QAction* markStart = frame.bind(cmd::kMapMarkEpicentre, map, [map] {
        const auto point = map->contextLatLon();
        if (!point) return;
        const CurrentEvent& event = map->session().event();
        EditEpicentre(map, {point->first, point->second, event.depth, event.originTime});
    });
    QAction* parameters = frame.bind(cmd::kMapHypocentreParameters, map, [map] {
        const CurrentEvent& event = map->session().event();
        EditEpicentre(map, {event.lat, event.lon, event.depth, event.originTime});
    });

    auto* contextMenu = new QMenu(qtTrId("Карта/эпицентр"), map);
    contextMenu->addAction(zoomIn);
    contextMenu->addAction(zoomOut);
    QMenu* shift = contextMenu->addMenu(qtTrId("Сдвинуть карту"));
    for (QAction* a : {east, west, north, south}) shift->addAction(a);
    contextMenu->addAction(reset);
    contextMenu->addAction(fitNetwork);
    contextMenu->addAction(fitEvent);
    contextMenu->addSeparator();
    contextMenu->addAction(parameters);
    contextMenu->addAction(markStart);
    contextMenu->addSeparator();
    contextMenu->addAction(qtTrId("Печать..."), map, &PlotWindow::printDialog);
    contextMenu->addAction(qtTrId("Сохранить как PNG или PDF..."), map, &PlotWindow::saveDialog);
    map->setContextMenu(contextMenu);

    // The frame's "Карта" menu carries the window's commands.
    if (QMenu* menu = frame.menu(cmd::Menu::Map)) {
        menu->addSeparator();
        for (QAction* a : {zoomIn, zoomOut, east, west, north, south, reset, fitNetwork, fitEvent})
            menu->addAction(a);
        menu->addSeparator();
        for (QAction* a : modeActions) menu->addAction(a);
        menu->addAction(azimuths);
        menu->addSeparator();
        menu->addAction(parameters);
        menu->addAction(frame.action(cmd::kLocateHypocentre));
    }

    QComboBox* box = frame.groupCombo();
    FillNetworkBox(box, context.networks());
    // With the map's buttons the toolbar no longer fits beside the waveform one: a row of its own
    // keeps the network box in sight.
    if (CZELToolbar* toolbar = frame.toolbar("MAP")) frame.mainWindow().insertToolBarBreak(toolbar);
    QObject::connect(box, &QComboBox::currentIndexChanged, map, [map, box](int index) {
        map->setNetwork(index <= 0 ? std::string() : box->itemText(index).toStdString());
    });

    // The map toolbar comes forward with the map, its box showing the map's filter.
    QMdiSubWindow* sub = frame.child(Workbench::kMap);
    QObject::connect(
        frame.mdiArea(), &QMdiArea::subWindowActivated, map, [&frame, sub, map, box](QMdiSubWindow* active) {
            if (active != sub) return;
            if (CZELToolbar* toolbar = frame.toolbar("MAP")) toolbar->show();
            const int index =
                map->network().empty() ? 0 : box->findText(QString::fromStdString(map->network()));
            box->setCurrentIndex(std::max(index, 0));
        });
    return map;
}

}  // namespace zel
