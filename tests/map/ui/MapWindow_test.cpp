// The map window on the offscreen platform: what it draws where, its gestures and status texts,
// the network box, and the map as the demo shows it (written to $ZEL_MAP_SCREENSHOT when set).

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>
#include <cmath>
#include <cstdlib>
#include <filesystem>

#include "app/ui/MainFrame.h"
#include "app/ui/ZelApplication.h"
#include "data/demo/DemoDiskLoop.h"
#include "events/CurrentEvent.h"
#include "events/DistAz.h"
#include "events/MonitoredRegions.h"
#include "events/TravelTimeCommands.h"
#include "events/ZELPhases.h"
#include "map/GreatCircle.h"
#include "map/MapStatusText.h"
#include "map/ui/CMapWnd.h"
#include "map/ui/EpicentreDlg.h"
#include "session/AppContext.h"
#include "support/TestAppPaths.h"
#include "widgets/Commands.h"

namespace zel {
namespace {

const QColor kBlue(0, 0, 255), kRed(255, 0, 0);

class MapGlobals : public ::testing::Test {
  protected:
    static void AddAzimuthPick(Session& session, int station, float azimuth) {
        SEISMIC_PHASE pick;
        pick.stationIndex = station;
        pick.hasAzimuth = 1;
        pick.azimuth = azimuth;
        session.phases().Add(pick);
        session.changed(SessionChange::Picks);
    }
    // Is there a pixel of this colour within `radius` pixels of (x, y)?
    static bool ColourNear(const QImage& image, double x, double y, const QColor& colour, int radius = 2) {
        for (int dx = -radius; dx <= radius; ++dx)
            for (int dy = -radius; dy <= radius; ++dy)
                if (image.pixelColor(int(x) + dx, int(y) + dy) == colour) return true;
        return false;
    }
};

class MapWindowTest : public MapGlobals {
  protected:
    void SetUp() override {
        stations.resize(2);
        stations[0].code = "AAA";
        stations[0].lat = 10.0f;
        stations[0].lon = 20.0f;
        stations[1].code = "BBB";
        stations[1].lat = -30.0f;
        stations[1].lon = -60.0f;
        map = std::make_unique<CMapWnd>(session, stations, networks, MapDataFiles{});
        map->resize(800, 450);
        map->resetView();  // the pixels below are worked out on the whole world
    }
    QImage Picture() { return map->grab().toImage(); }
    QPointF At(double lat, double lon) const {
        const MapProjection p = map->projection();
        return {double(p.x(lon)), p.y(lat)};
    }

    Session session;
    std::vector<Station> stations;
    std::vector<Network> networks{{"Одна", "BBB"}};
    std::unique_ptr<CMapWnd> map;
};

TEST_F(MapWindowTest, DrawsStationsTheEpicentreAndAzimuthLines) {
    session.event().hypocentreValid = true;
    session.event().lat = 40.0f;
    session.event().lon = 60.0f;
    const double toEvent = DistAz(10, 20, 40, 60)->azimuth;
    AddAzimuthPick(session, 0, static_cast<float>(toEvent));
    QImage image = Picture();
    const QPointF station = At(10, 20), epicentre = At(40, 60);
    EXPECT_EQ(image.pixelColor(station.toPoint()), kBlue);
    EXPECT_EQ(image.pixelColor(epicentre.toPoint()), kRed);
    // Azimuth lines are off at start: nothing red halfway along the great circle.
    const GeoPoint halfway = PointAtDistance(10, 20, Distance(10, 20, 40, 60) / 2, toEvent);
    const GeoPoint behind = PointAtDistance(10, 20, 30, toEvent + 180);
    EXPECT_FALSE(ColourNear(image, At(halfway.lat, halfway.lon).x(), At(halfway.lat, halfway.lon).y(), kRed));
    map->setAzimuths(true);
    image = Picture();
    EXPECT_TRUE(ColourNear(image, At(halfway.lat, halfway.lon).x(), At(halfway.lat, halfway.lon).y(), kRed));
    // ... and the opposite direction runs on the other side of the station.
    EXPECT_TRUE(ColourNear(image, At(behind.lat, behind.lon).x(), At(behind.lat, behind.lon).y(), kRed));

    // A distance estimate draws its circle; the network filter hides the station and its circle.
    session.distanceEstimates()[1] = 20.0f;
    image = Picture();
    const QPointF north = At(-10.0, -60.0);  // about 20° north of BBB
    EXPECT_TRUE(ColourNear(image, north.x(), north.y(), kBlue, 3));
    // Saved as the window shows it: a PNG with the same pixels, a PDF that is not empty.
    const QString png = QDir::temp().filePath("zel_map_test.png"), pdf = QDir::temp().filePath("zel_map_test.pdf");
    ASSERT_TRUE(map->savePng(png));
    EXPECT_EQ(QImage(png).pixelColor(station.toPoint()), kBlue);
    EXPECT_TRUE(map->savePdf(pdf));
    QFile::remove(png);
    QFile::remove(pdf);
    map->setNetwork("Одна");
    image = Picture();
    EXPECT_NE(image.pixelColor(station.toPoint()), kBlue);
    EXPECT_EQ(image.pixelColor(At(-30, -60).toPoint()), kBlue);
}

TEST_F(MapWindowTest, MissingMapFilesAreReportedAndTheMapStillDraws) {
    QSignalSpy status(map.get(), &CMapWnd::statusText);
    map->setMode(CMapWnd::kCoastlines);
    map->setMode(CMapWnd::kRelief);
    ASSERT_EQ(status.count(), 2);
    EXPECT_EQ(status[0][0].toString().toStdString(), MissingCoastlineText());
    EXPECT_EQ(status[1][0].toString().toStdString(), MissingReliefText());
    EXPECT_EQ(Picture().pixelColor(At(10, 20).toPoint()), kBlue);
}

TEST_F(MapWindowTest, DoubleClicksZoomToTheBoxBetweenThem) {
    map->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(map.get()));
    const QPoint a = At(50, -30).toPoint(), b = At(0, 30).toPoint();
    QTest::mouseDClick(map.get(), Qt::LeftButton, {}, b);
    QTest::mouseDClick(map.get(), Qt::LeftButton, {}, a);
    const MapView view = map->view();
    EXPECT_NEAR(view.lonMin, -30, 0.5);
    EXPECT_NEAR(view.lonMax, 30, 0.5);
    EXPECT_NEAR(view.latMin, 0, 0.5);
    EXPECT_NEAR(view.latMax, 50, 0.5);
    map->resetView();
    EXPECT_EQ(map->view(), MapView{});

    // The wheel zooms about the pointer: the point under it stays under it.
    const QPointF pointer = At(20, 40);
    QWheelEvent wheel(pointer, map->mapToGlobal(pointer), {}, {0, 240}, Qt::NoButton, {}, Qt::NoScrollPhase, false);
    QApplication::sendEvent(map.get(), &wheel);
    EXPECT_NEAR(map->view().width, 360.0 / 1.25 / 1.25, 1e-9);
    EXPECT_NEAR(At(20, 40).x(), pointer.x(), 1.0);
    EXPECT_NEAR(At(20, 40).y(), pointer.y(), 1.0);
    // A left drag carries the map with the pointer; a Ctrl drag zooms to the box it draws.
    const QPointF before = At(10, 20);
    QTest::mousePress(map.get(), Qt::LeftButton, {}, before.toPoint());
    QTest::mouseMove(map.get(), (before + QPointF(100, 50)).toPoint());
    QTest::mouseRelease(map.get(), Qt::LeftButton, {}, (before + QPointF(100, 50)).toPoint());
    EXPECT_NEAR(At(10, 20).x(), before.x() + 100, 1.0);
    EXPECT_NEAR(At(10, 20).y(), before.y() + 50, 1.0);
    map->resetView();
    QTest::mousePress(map.get(), Qt::LeftButton, Qt::ControlModifier, a);
    QTest::mouseMove(map.get(), b);
    QTest::mouseRelease(map.get(), Qt::LeftButton, Qt::ControlModifier, b);
    EXPECT_NEAR(map->view().lonMin, -30, 0.5);
    EXPECT_NEAR(map->view().latMax, 50, 0.5);
}

TEST_F(MapWindowTest, StatusBarShowsThePointerOrTheMeasurement) {
    map->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(map.get()));
    QSignalSpy status(map.get(), &CMapWnd::statusText);
    const MapProjection p = map->projection();
    const QPoint here = At(0, 0).toPoint();
    QTest::mouseMove(map.get(), here);
    ASSERT_GE(status.count(), 1);
    EXPECT_EQ(status.last()[0].toString().toStdString(),
              MapCoordinateText(p.latAt(here.y()), p.lonAt(here.x())));
    QTest::mouseMove(map.get(), QPoint(2, 2));
    EXPECT_TRUE(status.last()[0].toString().isEmpty());

    QTest::mousePress(map.get(), Qt::LeftButton, Qt::ShiftModifier, here);
    const QPoint there = At(0, 90).toPoint();
    QMouseEvent drag(QEvent::MouseMove, there, map->mapToGlobal(there), Qt::NoButton, Qt::LeftButton,
                     Qt::ShiftModifier);
    QApplication::sendEvent(map.get(), &drag);
    const auto expected =
        DistAz(p.latAt(here.y()), p.lonAt(here.x()), p.latAt(there.y()), p.lonAt(there.x()));
    EXPECT_EQ(status.last()[0].toString().toStdString(), MapMeasurementText(*expected));
    EXPECT_NE(status.last()[0].toString().indexOf("Рас.=90.00°"), -1)
        << status.last()[0].toString().toStdString();
    QTest::mouseRelease(map.get(), Qt::LeftButton, Qt::ShiftModifier, there);
    QTest::mouseMove(map.get(), there);
    EXPECT_EQ(status.last()[0].toString().toStdString(),
              MapCoordinateText(p.latAt(there.y()), p.lonAt(there.x())));
}

// The frame as `zel --demo` builds it: the demo network around Lake Baikal, the demo event as the
// epicentre and azimuth lines from three stations toward it, on the relief when it was converted.
class DemoMapTest : public MapGlobals {
  protected:
    void TearDown() override {
        delete frame;
        context.reset();
        MapGlobals::TearDown();
    }
    test::TempDir dir;
    RecordingMessageSink messages;
    std::unique_ptr<AppContext> context;
    CMainFrame* frame = nullptr;
};

TEST_F(DemoMapTest, DemoNetworkEpicentreAndAzimuths) {
    // The converted map files lie beside the program in a build tree.
    const std::filesystem::path built =
        std::filesystem::path(QCoreApplication::applicationDirPath().toStdString()) / ".." / "src" /
        "mapdata";
    std::filesystem::create_directories(dir.path() / "bin");
    const bool haveMapFiles = std::filesystem::exists(built / "map.pnt");
    if (haveMapFiles)
        std::filesystem::create_directory_symlink(std::filesystem::canonical(built),
                                                  dir.path() / "bin" / "mapdata");

    context = std::make_unique<AppContext>(CommandLineOverrides{}, test::TestAppPaths(dir), messages);
    context->loadConfiguration();
    frame = CreateMainFrame(*context, {.splash = false, .demoData = true});
    frame->setAttribute(Qt::WA_DeleteOnClose, false);
    auto* map = qobject_cast<CMapWnd*>(frame->child(CMainFrame::kMap)->widget());
    ASSERT_NE(map, nullptr);
    QComboBox* box = frame->groupCombo();
    ASSERT_GE(box->count(), 3);
    EXPECT_EQ(box->itemText(0), "Сейсмические станции");
    EXPECT_EQ(box->itemText(1), "Байкал (демо)");

    const demo::DemoEvent& event = demo::DemoEvents()[0];
    context->session().event().hypocentreValid = true;
    context->session().event().lat = static_cast<float>(event.lat);
    context->session().event().lon = static_cast<float>(event.lon);
    const std::vector<Station>& stations = context->stations();
    ASSERT_GE(stations.size(), 3u);
    for (int i = 0; i < 3; ++i)
        AddAzimuthPick(context->session(), 
            i, static_cast<float>(DistAz(stations[i].lat, stations[i].lon, event.lat, event.lon)->azimuth));
    context->session().distanceEstimates()[0] =
        static_cast<float>(Distance(stations[0].lat, stations[0].lon, event.lat, event.lon));

    CContReg region;
    region.lat1 = 45.0f;
    region.lon1 = 130.0f;
    region.lat2 = 40.0f;
    region.lon2 = 120.0f;
    region.name = "Монитор";
    context->session().monitoredRegions().insert(context->databases().work(), region);

    frame->activateChild(CMainFrame::kMap, true);
    frame->resize(1200, 800);
    QApplication::processEvents();
    // It opens on the network with its geography, not on the world.
    EXPECT_LT(map->view().width, 30.0);
    EXPECT_EQ(map->mode(), haveMapFiles ? CMapWnd::kCoastlines : CMapWnd::kSimple);
    for (const Station& s : stations) EXPECT_TRUE(map->projection().visible(s.lat, s.lon)) << s.code;
    if (const char* out = std::getenv("ZEL_MAP_FIRST_SCREENSHOT")) map->grab().save(out);
    frame->action(cmd::kMapAzimuths)->trigger();
    frame->action(cmd::kMapRelief)->trigger();
    EXPECT_EQ(map->mode(), CMapWnd::kRelief);
    EXPECT_TRUE(map->azimuths());
    map->setView(MapView{20.0, 75.0, 60.0, 140.0, 80.0});  // a scale the relief picture is sharp at
    frame->resize(1200, 800);
    QApplication::processEvents();
    const QImage image = map->grab().toImage();
    if (const char* out = std::getenv("ZEL_MAP_SCREENSHOT")) image.save(out);

    const MapProjection p = map->projection();
    EXPECT_EQ(image.pixelColor(p.x(event.lon), int(p.y(event.lat))), kRed);
    EXPECT_EQ(image.pixelColor(p.x(stations[0].lon), int(p.y(stations[0].lat))), kBlue);
    if (haveMapFiles) {
        // The relief colours the land: a point in Mongolia is neither white nor black.
        const QColor land = image.pixelColor(p.x(100.0), int(p.y(46.0)));
        EXPECT_NE(land, QColor(Qt::white));
        EXPECT_NE(land, QColor(Qt::black));
    }
    // The monitored region: its outline, corners sorted.
    EXPECT_TRUE(ColourNear(image, p.xExact(120.0), p.y(42.5), QColor(0, 128, 0), 1));
    EXPECT_TRUE(ColourNear(image, p.xExact(125.0), p.y(45.0), QColor(0, 128, 0), 1));
    // Zoomed to the event: the epicentre, its ellipse and the picked stations fill the view.
    const MapView shown = map->view();
    context->session().event().ellipse = {15.0, 6.0, 40.0};
    frame->action(cmd::kMapCoastlines)->trigger();
    frame->action(cmd::kMapFitEvent)->trigger();
    QApplication::processEvents();
    const QImage zoomed = map->grab().toImage();
    if (const char* out = std::getenv("ZEL_MAP_EVENT_SCREENSHOT")) zoomed.save(out);
    const MapProjection z = map->projection();
    EXPECT_LT(map->view().width, 10.0);
    for (int i = 0; i < 3; ++i) EXPECT_TRUE(z.visible(stations[i].lat, stations[i].lon)) << i;
    const GeoPoint tip = PointAtDistance(event.lat, event.lon, 15.0 / 111.195, 40.0);
    EXPECT_TRUE(ColourNear(zoomed, z.xExact(tip.lon), z.y(tip.lat), kRed, 2));
    map->setView(shown);
    box->setCurrentIndex(2);  // the BKA array only
    EXPECT_EQ(map->network(), box->itemText(2).toStdString());

    // The context menu's point becomes the start epicentre through the epicentre dialog.
    const QPoint point(p.x(100.0), int(std::lround(p.y(50.0))));
    QTimer::singleShot(0, [] {
        if (QWidget* popup = QApplication::activePopupWidget()) popup->close();
    });
    QContextMenuEvent menuEvent(QContextMenuEvent::Mouse, point, map->mapToGlobal(point));
    QApplication::sendEvent(map, &menuEvent);
    auto acceptDialog = [](bool clear) {
        QTimer::singleShot(0, [clear] {
            auto* dialog = qobject_cast<CEpicentreDlg*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            dialog->clearBox()->setChecked(clear);
            dialog->accept();
        });
    };
    acceptDialog(false);
    frame->action(cmd::kMapMarkEpicentre)->trigger();
    EXPECT_TRUE(context->session().event().hypocentreValid);
    EXPECT_NEAR(context->session().event().lat, 50.0, 0.1);
    EXPECT_NEAR(context->session().event().lon, 100.0, 0.1);
    acceptDialog(true);
    frame->action(cmd::kMapHypocentreParameters)->trigger();
    EXPECT_FALSE(context->session().event().hypocentreValid);
}

TEST(EpicentreDlg, RefusesCoordinatesOffTheGlobe) {
    CEpicentreDlg dialog({10.0, 20.0, 33.0, 1371211697.35});
    dialog.latEdit()->setText("95");
    dialog.accept();
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    dialog.latEdit()->setText("-45.5");
    dialog.lonEdit()->setText("180.5");
    dialog.accept();
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    dialog.lonEdit()->setText("-180");
    dialog.timeEdit()->setText("вчера");
    dialog.accept();
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    dialog.timeEdit()->setText("14/06/2013 12:08:17.350");
    dialog.accept();
    ASSERT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_DOUBLE_EQ(dialog.values().lat, -45.5);
    EXPECT_DOUBLE_EQ(dialog.values().lon, -180.0);
    EXPECT_DOUBLE_EQ(dialog.values().depth, 33.0);
    EXPECT_NEAR(dialog.values().originTime, 1371211697.35, 1e-3);
}

}  // namespace
}  // namespace zel
