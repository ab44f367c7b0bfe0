// The F-K command on the demo array, driven through the frame's action: the grid search finds
// the teleseism's back azimuth and draws it, the external module road runs on the stand-in,
// the result lands on a pick or forms a beam, and the settings page keeps the module's keys.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTimer>
#include <cmath>
#include <filesystem>
#include <numbers>

#include "app/ui/MainFrame.h"
#include "base/PrivateProfile.h"
#include "data/StationModel.h"
#include "data/demo/DemoDiskLoop.h"
#include "data/demo/DemoPhysics.h"
#include "dsp/FkModuleSettings.h"
#include "dsp/ui/ExtProgFkSetup.h"
#include "dsp/ui/FKResultsDlg.h"
#include "events/PhaseCatalogue.h"
#include "events/ZELPhases.h"
#include "session/AppContext.h"
#include "support/ui/DemoFrameTest.h"
#include "wave/FkAnalysis.h"
#include "wave/ui/CZoomWindow.h"
#include "wave/ui/waveform.h"

namespace zel {
namespace {

class FkDialogTest : public test::DemoFrameTest {
  protected:
    void SetUp() override {
        // The stand-in module built beside the program.
        module = DefaultFkModule(std::filesystem::path(ZEL_BINARY).parent_path().string());
        ASSERT_TRUE(std::filesystem::is_regular_file(module)) << module;
        openDemoFrame([this](AppContext& c) {
            c.ini().write({{kFkSection, kFkModuleKey, module}, {kFkSection, kFkExchangeKey, dir.file("fk")}});
        });
        w = frame->waveforms();
        w->removeAllPanes();
        std::size_t event = 0;
        while (std::string(demo::DemoEvents()[event].magnitudeType) != "mb") ++event;
        for (const demo::DemoArrival& a : demo::DemoArrivals(ZEL_RESOURCES_DIR))
            if (a.station == "BKA0" && a.phase == "P" && a.event == static_cast<int>(event)) onset = a.time;
        ASSERT_GT(onset, 0.0);
        // Every array station's vertical, a minute around the onset, "filtered" to its own
        // samples, with the P wave marked; BKA0 is the reference.
        for (const demo::DemoStation& st : demo::DemoStations()) {
            if (std::string(st.refsta) != "BKA0") continue;
            const int station = FindStation(context->stations(), st.code);
            ASSERT_GE(station, 0) << st.code;
            CZoomWindow* window = w->addPane(station, context->stations()[static_cast<std::size_t>(station)].FindSlot("SHZ"),
                                             onset - 30, 60);
            TracePane& pane = window->pane();
            ASSERT_EQ(pane.data().blocks.size(), 1u) << st.code;
            const ZELDataBlock& b = pane.data().blocks[0];
            const auto skip = static_cast<std::ptrdiff_t>(std::lround((pane.start() - b.begin) * b.sps));
            ASSERT_GE(skip, 0);
            pane.setTransformed(TransformedSignal{{b.samples.begin() + skip, b.samples.end()}, b.sps, {}, 0, 0});
            pane.intervalMark = std::pair{onset - 1, onset + 4};
            pane.active = true;
            if (std::string(st.code) == "BKA0") {
                w->makeMain(window);
                reference = window;
            }
        }
        ASSERT_NE(reference, nullptr);
        const demo::DemoEvent& ev = demo::DemoEvents()[event];
        const demo::DemoStation& ref = demo::DemoStations()[12];
        ASSERT_EQ(std::string(ref.code), "BKA0");
        trueAzimuth = demo::GeocentricDistAz(ref.lat, ref.lon, ev.lat, ev.lon).azimuth;
    }
    // Runs `step` on the dialog that the command opens; the dialog is closed afterwards unless
    // the step closed it. Returns the dialog's result.
    int onDialog(const std::function<void(CFKResultsDlg*)>& step) {
        int result = -1;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<CFKResultsDlg*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            step(dialog);
            if (dialog->isVisible()) dialog->reject();
            result = dialog->result();
        });
        frame->action(33217)->trigger();
        return result;
    }
    double shownAzimuth(CFKResultsDlg* d) const { return d->azimuthEdit()->text().toDouble(); }
    bool said(const std::string& text) const {
        for (const Message& m : messages.messages())
            if (m.text.find(text) != std::string::npos) return true;
        return false;
    }
    void addPick(const char* phase) {
        SEISMIC_PHASE pick;
        pick.stationIndex = reference->pane().channel().stationIndex;
        pick.channelIndex = reference->pane().channel().slot;
        pick.phaseIndex = w->phaseCatalogue().IndexOf(phase);
        pick.time = onset;
        context->session().phases().Add(pick);
    }

    std::string module;
    waveform* w = nullptr;
    CZoomWindow* reference = nullptr;
    double onset = 0.0;
    double trueAzimuth = 0.0;
};

TEST_F(FkDialogTest, GridSearchFindsTheTeleseismAndDrawsItsPeak) {
    onDialog([&](CFKResultsDlg* d) {
        EXPECT_EQ(d->windowTitle(), "F-K Анализ");
        EXPECT_EQ(d->intervalsEdit()->text(), "200");
        EXPECT_TRUE(d->azimuthEdit()->text().isEmpty());
        d->calculate();
        for (const Message& m : messages.messages()) ADD_FAILURE() << m.text;
        const double off = std::remainder(shownAzimuth(d) - trueAzimuth, 360.0);
        EXPECT_LT(std::fabs(off), 5.0) << shownAzimuth(d) << " vs " << trueAzimuth;
        EXPECT_TRUE(d->azimuthEdit()->text().contains(QRegularExpression("^\\d+\\.\\d$")));
        EXPECT_TRUE(d->slownessEdit()->text().contains(QRegularExpression("^\\d\\.\\d{4}$")));

        // The best point is red where Px (east) and Py (north) put it, Py growing upwards, and
        // the far corner away from it is not.
        const double az = shownAzimuth(d) * std::numbers::pi / 180, s = d->slownessEdit()->text().toDouble();
        const QImage& map = d->mapImage();
        const double half = 0.5 / 200;  // half a grid step into the cell
        const auto at = [&](double px, double py) {
            return map.pixelColor(static_cast<int>((px + half + 0.5) * map.width()),
                                  static_cast<int>((0.5 - py - half) * map.height()));
        };
        EXPECT_EQ(at(s * std::sin(az), s * std::cos(az)), QColor(255, 0, 0));
        EXPECT_NE(at(-0.45 * std::copysign(1.0, std::sin(az)), -0.45 * std::copysign(1.0, std::cos(az))),
                  QColor(255, 0, 0));
        // The scale runs from blue at the bottom to red at the top.
        const QImage& scale = d->scaleImage();
        EXPECT_EQ(scale.pixelColor(10, scale.height() - 15), QColor(0, 0, 255));
        EXPECT_EQ(scale.pixelColor(10, 15), QColor(255, 0, 0));
        d->grab().save(QString(ZEL_TEST_BIN_DIR) + "/fk_dialog.png");
    });
}

TEST_F(FkDialogTest, GridFieldsAreCheckedAndKeptForTheNextDialog) {
    onDialog([&](CFKResultsDlg* d) {
        d->intervalsEdit()->setText("1");
        d->calculate();
        EXPECT_TRUE(said("Введите целое число между 2 и 1000."));
        EXPECT_TRUE(d->azimuthEdit()->text().isEmpty());
        EXPECT_EQ(context->session().fkGrid().intervals, 200);
        d->minEdit()->setText("-0.25");
        d->maxEdit()->setText("0.25");
        d->intervalsEdit()->setText("50");
        d->calculate();
        EXPECT_FALSE(d->azimuthEdit()->text().isEmpty());
    });
    onDialog([&](CFKResultsDlg* d) {
        EXPECT_EQ(d->minEdit()->text(), "-0.25");
        EXPECT_EQ(d->intervalsEdit()->text(), "50");
    });
}

TEST_F(FkDialogTest, ExternalModuleAnswersThroughTheExchangeFilesAndFailuresAreTold) {
    onDialog([&](CFKResultsDlg* d) {
        d->calculateExternal();
        for (const Message& m : messages.messages()) ADD_FAILURE() << m.text;
        const double off = std::remainder(shownAzimuth(d) - trueAzimuth, 360.0);
        EXPECT_LT(std::fabs(off), 5.0) << shownAzimuth(d) << " vs " << trueAzimuth;
        EXPECT_TRUE(std::filesystem::is_regular_file(dir.file("fk/0.wfdisc")));
        const QString azimuth = d->azimuthEdit()->text(), slowness = d->slownessEdit()->text();

        // A module that does not start: told, and the fields keep their values.
        context->ini().writeString(kFkSection, kFkModuleKey, dir.file("no-such-module"));
        d->calculateExternal();
        EXPECT_TRUE(said("Ошибка запуска модуля \n'" + dir.file("no-such-module") + "'"));
        EXPECT_EQ(d->azimuthEdit()->text(), azimuth);
        EXPECT_EQ(d->slownessEdit()->text(), slowness);

        // An exchange folder that cannot be made: the wfdisc is not written, the module not run.
        test::WriteFile(dir.file("plain-file"), "x");
        context->ini().write({{kFkSection, kFkModuleKey, module}, {kFkSection, kFkExchangeKey, dir.file("plain-file/fk")}});
        messages.clear();
        d->calculateExternal();
        EXPECT_TRUE(said("Ошибка записи файла wfdisc"));
        EXPECT_EQ(d->azimuthEdit()->text(), azimuth);
    });
}

TEST_F(FkDialogTest, OkStoresTypedAzimuthAndSlownessOnThePickOfTheChosenPhase) {
    addPick("P");
    addPick("S");
    const int accepted = onDialog([&](CFKResultsDlg* d) {
        ASSERT_EQ(d->phaseBox()->count(), 2);
        EXPECT_EQ(d->phaseBox()->currentText(), "P");
        // Empty fields: a beep, nothing stored, the dialog stays.
        d->accept();
        EXPECT_TRUE(d->isVisible());
        d->azimuthEdit()->setText("151.5");
        d->slownessEdit()->setText("0.0700");
        // A typed slowness gives the distance for the chosen phase: iasp91's P curve at 33 km has
        // 7.77 s/deg (0.07 s/km at 111 km/deg) at 47.4 degrees (numpy gradient of the curve
        // file); the search steps through the table in 0.9 degrees.
        Q_EMIT d->slownessEdit()->editingFinished();
        EXPECT_NEAR(d->distanceEdit()->text().toDouble(), 47.4, 1.0) << d->distanceEdit()->text().toStdString();
        const QString forP = d->distanceEdit()->text();
        d->phaseBox()->setCurrentIndex(1);  // S is slower everywhere: another distance
        EXPECT_NE(d->distanceEdit()->text(), forP);
        d->phaseBox()->setCurrentIndex(0);
        // The pick went meanwhile: the analyst is told, and nothing is stored.
        context->session().phases().Remove(reference->pane().channel().stationIndex, reference->pane().channel().slot,
                              w->phaseCatalogue().IndexOf("P"));
        d->accept();
        EXPECT_TRUE(said("Отметка фазы 'P' отсутствует.\n Ассоциация не может быть выполнена.\nРезультат "
                         "расчета не будет запомнен"));
        EXPECT_TRUE(d->isVisible());
        addPick("P");
        d->accept();
    });
    EXPECT_EQ(accepted, QDialog::Accepted);
    const PaneChannel& c = reference->pane().channel();
    const SEISMIC_PHASE* p = context->session().phases().Find(c.stationIndex, c.slot, w->phaseCatalogue().IndexOf("P"));
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->hasAzimuth, 1);
    EXPECT_EQ(p->azimuth, 151.5f);
    EXPECT_EQ(p->hasSlowness, 1);
    EXPECT_FLOAT_EQ(p->slowness, 7.78365f);  // 0.07 s/km x 111.195 km/deg
    EXPECT_EQ(context->session().phases().Find(c.stationIndex, c.slot, w->phaseCatalogue().IndexOf("S"))->hasSlowness, 0);
}

TEST_F(FkDialogTest, BeamIsFormedFromTypedValuesIntoOnePane) {
    const std::size_t panes = w->zoomWindows().size();
    onDialog([&](CFKResultsDlg* d) {
        d->buildBeam();  // nothing typed: a beep
        EXPECT_EQ(w->zoomWindows().size(), panes);
        d->azimuthEdit()->setText(QString::number(trueAzimuth, 'f', 1));
        d->slownessEdit()->setText("0.0500");
        d->buildBeam();
        d->slownessEdit()->setText("0");
        d->buildBeam();
    });
    ASSERT_EQ(w->zoomWindows().size(), panes + 1);
    CZoomWindow* beam = w->zoomWindows().back();
    EXPECT_TRUE(beam->isBeam());
    EXPECT_EQ(beam->pane().channel().station, "BKA0");
    ASSERT_EQ(beam->pane().data().blocks.size(), 1u);
    EXPECT_FALSE(beam->pane().data().blocks[0].samples.empty());
}

TEST_F(FkDialogTest, SettingsPageShowsAndWritesTheModuleKeys) {
    CExtProgFKSetup page(*context);
    EXPECT_EQ(page.moduleEdit()->text().toStdString(), module);
    EXPECT_EQ(page.exchangeEdit()->text().toStdString(), dir.file("fk"));
    page.moduleEdit()->setText("/opt/fk/fk");
    page.exchangeEdit()->setText(" /tmp/fk ");
    page.save();
    EXPECT_EQ(context->ini().getString("FKEXT", "MODULE"), "/opt/fk/fk");
    EXPECT_EQ(context->ini().getString("FKEXT", "WFD"), "/tmp/fk");
}

}  // namespace
}  // namespace zel
