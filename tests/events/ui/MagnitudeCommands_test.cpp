// Magnitudes of the demo events measured the way an analyst does it, through the frame: a pane
// around the arrival, a seismograph simulation, the interval mark, the measurement command, the
// amplitude dialog's magnitude button and its OK into the pick. The demo generator sized its
// events by the published calibrations, so the magnitudes must come back.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include "app/ui/MainFrame.h"
#include "app/ui/SettingsSheet.h"
#include "app/ui/ZelApplication.h"
#include "data/demo/DemoDiskLoop.h"
#include "dsp/FormulaFunctions.h"
#include "events/CurrentEvent.h"
#include "events/PhaseCatalogue.h"
#include "events/ZELPhases.h"
#include "events/ui/MagnitudeDialogs.h"
#include "session/AppContext.h"
#include "support/ui/DemoFrameTest.h"
#include "wave/FilterSettings.h"
#include "wave/ui/CZoomWindow.h"
#include "wave/ui/PickDlg.h"
#include "wave/ui/waveform.h"

namespace zel {
namespace {

constexpr int kMeasure = 32733;
constexpr int kNormalise = 33184;
constexpr int kWoodAnderson = 33140;
constexpr int kWwssnSp = 33138;

class MagnitudeCommandsTest : public test::DemoFrameTest {
  protected:
    void SetUp() override {
        openDemoFrame();
        ASSERT_TRUE(frame->waveforms()->openDefaultView());
        frame->waveforms()->removeAllPanes();
    }

    demo::DemoArrival arrival(const std::string& station, const std::string& phase, int event) {
        for (const demo::DemoArrival& a : demo::DemoArrivals(ZEL_RESOURCES_DIR))
            if (a.station == station && a.phase == phase && a.event == event) return a;
        ADD_FAILURE() << "no arrival " << phase << " at " << station;
        return {};
    }
    // One active main pane of the channel, a minute around t.
    CZoomWindow* paneAt(const std::string& station, const std::string& channel, double t) {
        const std::vector<Station>& stations = context->stations();
        for (std::size_t i = 0; i < stations.size(); ++i) {
            if (stations[i].code != station) continue;
            const int slot = stations[i].FindSlot(channel);
            CZoomWindow* w = frame->waveforms()->addPane(static_cast<int>(i), slot, std::floor(t) - 30, 60);
            frame->waveforms()->deactivateAll();
            frame->waveforms()->clickPlot(w);
            return w;
        }
        ADD_FAILURE() << "no station " << station;
        return nullptr;
    }
    SEISMIC_PHASE& addPick(CZoomWindow* w, const char* phase, double t) {
        SEISMIC_PHASE p;
        p.stationIndex = w->pane().channel().stationIndex;
        p.channelIndex = w->pane().channel().slot;
        p.phaseIndex = frame->waveforms()->phaseCatalogue().IndexOf(phase);
        EXPECT_GE(p.phaseIndex, 0);
        SetPickTime(p, t);
        return context->session().phases().Add(p);
    }
    void setEvent(int index) {
        const demo::DemoEvent& e = demo::DemoEvents()[static_cast<std::size_t>(index)];
        CurrentEvent& event = context->session().event();
        event.hypocentreValid = true;
        event.lat = static_cast<float>(e.lat);
        event.lon = static_cast<float>(e.lon);
        event.depth = static_cast<float>(e.depth);
        event.originTime = e.origin;
    }
    // Runs `step` on the amplitude dialog that the next command opens; the step closes it.
    void onDialog(std::function<void(CAmplitudeDlg*)> step) {
        QTimer::singleShot(0, [step] {
            auto* dialog = qobject_cast<CAmplitudeDlg*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            step(dialog);
            if (dialog->isVisible()) dialog->reject();
        });
    }
    static void choosePhase(CAmplitudeDlg* d, const char* phase) {
        const int i = d->phaseBox()->findText(phase);
        ASSERT_GE(i, 0) << phase;
        d->phaseBox()->setCurrentIndex(i);
    }
    void expectNoWarnings() {
        for (const Message& m : messages.messages())
            if (m.icon != MessageIcon::Information) ADD_FAILURE() << m.caption << ": " << m.text;
        messages.clear();
    }

};

TEST_F(MagnitudeCommandsTest, LocalEventMlFromAWoodAndersonRecordOfTheSWave) {
    const demo::DemoArrival s = arrival("ARS", "S", 0);
    CZoomWindow* w = paneAt("ARS", "SHN", s.time);
    frame->action(kWoodAnderson)->trigger();
    expectNoWarnings();
    ASSERT_TRUE(w->pane().transformed());
    addPick(w, "S", s.time);
    setEvent(0);
    w->pane().intervalMark = IntervalMark{s.time + 4, s.time - 0.5};

    double shownDistance = 0;
    onDialog([&](CAmplitudeDlg* d) {
        shownDistance = d->distanceEdit()->text().toDouble();
        choosePhase(d, "S");
        d->compute(DialogMagnitude::Ml);
        d->accept();
    });
    frame->action(kMeasure)->trigger();
    expectNoWarnings();
    EXPECT_NEAR(shownDistance, s.distance, 0.01);  // from the current hypocentre

    const SEISMIC_PHASE* pick =
        context->session().phases().Find(w->pane().channel().stationIndex, w->pane().channel().slot,
                            frame->waveforms()->phaseCatalogue().IndexOf("S"));
    ASSERT_NE(pick, nullptr);
    EXPECT_EQ(pick->hasAmplitude, 1);
    EXPECT_NEAR(pick->period, 0.25, 0.03);  // the 4 Hz S wavelet
    EXPECT_GE(pick->ampTime, s.time);
    EXPECT_LT(pick->ampTime, s.time + 4);
    EXPECT_EQ(pick->ampFilter, "Симуляция Wood-Anderson");
    EXPECT_NEAR(pick->ml, demo::DemoEvents()[0].magnitude, 0.2) << "A " << pick->amplitude;
    RecordProperty("ml", std::to_string(pick->ml));
    // The mark now spans the measured period around the swing.
    ASSERT_TRUE(w->pane().intervalMark);
    EXPECT_NEAR(w->pane().intervalMark->second - w->pane().intervalMark->first, pick->period, 1e-4);
}

TEST_F(MagnitudeCommandsTest, TeleseismMbFromANormalisedShortPeriodRecordOfTheP) {
    const demo::DemoArrival p = arrival("ARS", "P", 1);
    CZoomWindow* w = paneAt("ARS", "SHZ", p.time);
    frame->action(kWwssnSp)->trigger();
    frame->action(kNormalise)->setChecked(true);
    expectNoWarnings();
    addPick(w, "P", p.time);
    setEvent(1);
    w->pane().intervalMark = IntervalMark{p.time - 0.5, p.time + 5};

    onDialog([&](CAmplitudeDlg* d) {
        choosePhase(d, "P");
        EXPECT_TRUE(d->button(DialogMagnitude::Mb)->isEnabled());
        EXPECT_FALSE(d->button(DialogMagnitude::Mkt)->isEnabled());
        // A period of 0 is refused before anything divides by it.
        const QString period = d->periodEdit()->text();
        d->periodEdit()->setText("0");
        for (DialogMagnitude m : {DialogMagnitude::Ms, DialogMagnitude::Mb, DialogMagnitude::Ml}) {
            d->compute(m);
            ASSERT_FALSE(messages.messages().empty());
            EXPECT_EQ(messages.messages().back().text, "Период = 0");
            EXPECT_TRUE(d->resultEdit(m)->text().isEmpty());
        }
        messages.clear();
        d->periodEdit()->setText(period);
        // Where the table has no value the magnitude is not measured, and the analyst is told.
        const QString distance = d->distanceEdit()->text();
        d->distanceEdit()->setText("3");
        d->compute(DialogMagnitude::Mb);
        EXPECT_TRUE(d->resultEdit(DialogMagnitude::Mb)->text().isEmpty());
        ASSERT_FALSE(messages.messages().empty());
        EXPECT_NE(messages.messages().back().text.find("нет данных в калибровочном файле"),
                  std::string::npos);
        messages.clear();
        d->distanceEdit()->setText(distance);
        d->compute(DialogMagnitude::Mb);
        d->accept();
    });
    frame->action(kMeasure)->trigger();
    expectNoWarnings();

    const SEISMIC_PHASE* pick =
        context->session().phases().Find(w->pane().channel().stationIndex, w->pane().channel().slot,
                            frame->waveforms()->phaseCatalogue().IndexOf("P"));
    ASSERT_NE(pick, nullptr);
    EXPECT_NEAR(pick->period, 1.0, 0.1);
    EXPECT_NEAR(pick->mb, demo::DemoEvents()[1].magnitude, 0.2) << "A " << pick->amplitude;
    RecordProperty("mb", std::to_string(pick->mb));
    EXPECT_EQ(pick->ml, -1.0f);  // nothing else was computed

    // The phase list's recompute makes the station mb the event's.
    frame->action(33242)->trigger();
    EXPECT_FLOAT_EQ(context->session().event().mb, pick->mb);
    EXPECT_EQ(context->session().event().mbVariance, 0.0f);
}

TEST_F(MagnitudeCommandsTest, FilteredRecordConvertedByTheDatabaseResponse) {
    // A band-passed record in counts, turned into ground displacement by the channel's poles and
    // zeros in CALIBRATION at the measured period.
    const demo::DemoArrival p = arrival("ARS", "P", 1);
    CZoomWindow* w = paneAt("ARS", "SHZ", p.time);
    ChannelFilterSettings band;
    band.low = 0.5f, band.high = 3.0f, band.lowText = "0.5", band.highText = "3";
    TracePane& pane = w->pane();
    pane.setTransformed(
        FilterPaneSignal(pane.data(), pane.start(), pane.duration(), pane.channel().nominalSps, band));
    addPick(w, "P", p.time);
    setEvent(1);
    pane.intervalMark = IntervalMark{p.time - 0.5, p.time + 5};
    onDialog([&](CAmplitudeDlg* d) {
        choosePhase(d, "P");
        d->compute(DialogMagnitude::Mb);
        d->accept();
    });
    frame->action(33229)->trigger();
    expectNoWarnings();
    const SEISMIC_PHASE* pick = context->session().phases().Find(pane.channel().stationIndex, pane.channel().slot,
                                                    frame->waveforms()->phaseCatalogue().IndexOf("P"));
    ASSERT_NE(pick, nullptr);
    // The velocity recorder tilts the swing toward shorter periods than the 1 Hz of the ground.
    EXPECT_NEAR(pick->period, 0.9, 0.2);
    EXPECT_NEAR(pick->mb, demo::DemoEvents()[1].magnitude, 0.2) << "A " << pick->amplitude;
    RecordProperty("mb_filtered", std::to_string(pick->mb));
}

TEST_F(MagnitudeCommandsTest, PickDialogAutomaticOptionMeasuresFiveSecondsAfterThePick) {
    const demo::DemoArrival s = arrival("ARS", "S", 0);
    CZoomWindow* w = paneAt("ARS", "SHN", s.time);
    frame->action(kWoodAnderson)->trigger();
    frame->waveforms()->deactivateAll();  // the option makes the pane active and main itself
    bool offered = false, measured = false;
    QTimer::singleShot(0, [&] {
        auto* pick = qobject_cast<CPickDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(pick, nullptr);
        offered = pick->amplitudeBox()->isEnabled();
        pick->amplitudeBox()->setChecked(true);
        pick->phaseBox()->setCurrentText("S");
        onDialog([&](CAmplitudeDlg* d) {
            measured = true;
            choosePhase(d, "S");
            d->accept();
        });
        pick->accept();
    });
    frame->waveforms()->pick(w, PickSpan{s.time, 0.05});
    EXPECT_TRUE(offered);
    EXPECT_TRUE(measured);
    expectNoWarnings();
    EXPECT_TRUE(w->pane().main);
    const SEISMIC_PHASE* pick =
        context->session().phases().Find(w->pane().channel().stationIndex, w->pane().channel().slot,
                            frame->waveforms()->phaseCatalogue().IndexOf("S"));
    ASSERT_NE(pick, nullptr);
    EXPECT_EQ(pick->hasAmplitude, 1);
    EXPECT_GT(pick->amplitude, 0);
    EXPECT_GE(pick->ampTime, s.time);
    EXPECT_LE(pick->ampTime, s.time + 5);
}

TEST_F(MagnitudeCommandsTest, CodaAndEnergyClassesGoIntoThePicks) {
    const demo::DemoArrival s = arrival("ARS", "S", 0);
    CZoomWindow* w = paneAt("ARS", "SHN", s.time);
    SEISMIC_PHASE& pg = addPick(w, "Pg", s.time - 5);
    pg.amplitude = 0.3f, pg.hasAmplitude = 1, pg.distance = static_cast<float>(100 / kKilometresPerDegree);
    SEISMIC_PHASE& sg = addPick(w, "Sg", s.time);
    sg.amplitude = 0.7f, sg.hasAmplitude = 1;

    // Coda: the mark's length into the chosen phase's pick.
    w->pane().intervalMark = IntervalMark{s.time + 80, s.time};
    QTimer::singleShot(0, [] {
        auto* d = qobject_cast<CCodaDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(d, nullptr);
        d->phaseBox()->setCurrentText("Sg");
        d->accept();
    });
    frame->action(185)->trigger();
    expectNoWarnings();
    EXPECT_DOUBLE_EQ(sg.coda, 80.0);

    // The nomogram at 100 km from the Pg pick's distance, Ap + As = 1: K = 0.074 P(100) + 5.23.
    frame->action(33170)->trigger();
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_EQ(messages.messages()[0].text.rfind("Класс для станции ARS = ", 0), 0u)
        << messages.messages()[0].text;
    messages.clear();
    const double p100 = 3.33425e-9 * 1e6 - 0.0000248002 * 1e4 + 0.0699801 * 100 + 53.30075;
    EXPECT_NEAR(pg.energyClass, 0.074 * p100 + 5.23, 1e-6);

    // VEGIK at R = 100 km (no hypocentre: the picks' distance), stored into the chosen phase.
    QString shown;
    QTimer::singleShot(0, [&] {
        auto* d = qobject_cast<CEnergyClassDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(d, nullptr);
        EXPECT_NEAR(d->apEdit()->text().toDouble(), 0.3, 1e-6);
        EXPECT_NEAR(d->asEdit()->text().toDouble(), 0.7, 1e-6);
        d->calculate();
        shown = d->classText();
        d->phaseBox()->setCurrentText("Sg");
        EXPECT_TRUE(d->store());
        d->reject();
    });
    frame->action(33187)->trigger();
    expectNoWarnings();
    EXPECT_EQ(shown, "10.0");  // 1.84 (1.1 log10 100 + 3.21) = 9.954, stored as shown
    EXPECT_DOUBLE_EQ(sg.energyClass, 10.0);
}

TEST_F(MagnitudeCommandsTest, OptionsPageWritesTheMethodCodesTheMeasurementReads) {
    SettingsSheet sheet(*context, frame);
    auto choose = [&](const QString& text) {
        for (QRadioButton* b : sheet.findChildren<QRadioButton*>())
            if (b->text() == text) return b->setChecked(true);
        ADD_FAILURE() << "no button " << text.toStdString();
    };
    const std::pair<const char*, int> methods[] = {{"по Calib и Calper", 1},
                                                   {"по АЧХ из БД (нули/полюса или FAP)", 2},
                                                   {"по АЧХ (FAP-файлы в каталоге Response)", 0}};
    for (auto [text, code] : methods) {
        choose(text);
        sheet.saveAll();
        EXPECT_EQ(context->settings().amplitudeDefault, code) << text;
        EXPECT_EQ(context->ini().getString("AMPLITUDE", "DEFAULT", ""), std::to_string(code));
    }
}

TEST_F(MagnitudeCommandsTest, RefusalsStoreNothing) {
    // No pane at all.
    frame->action(kMeasure)->trigger();
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_EQ(messages.messages()[0].text, "Не выбрано главное окно");
    messages.clear();

    const demo::DemoArrival s = arrival("ARS", "S", 0);
    CZoomWindow* w = paneAt("ARS", "SHN", s.time);
    w->pane().intervalMark = IntervalMark{s.time, s.time + 3};
    frame->action(kMeasure)->trigger();  // raw samples only
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_EQ(messages.messages()[0].text,
              "Оценка амплитуды и периода производится только по фильтрованным данным");
    messages.clear();

    // OK without a pick of the chosen phase: told, and nothing stored.
    frame->action(kWoodAnderson)->trigger();
    addPick(w, "P", s.time - 10);
    bool stayed = false;
    onDialog([&](CAmplitudeDlg* d) {
        choosePhase(d, "S");
        messages.queueAnswer(MessageAnswer::Cancel);  // back to the dialog
        d->accept();
        stayed = d->isVisible();
        d->accept();  // OK this time: the dialog closes without storing
    });
    frame->action(kMeasure)->trigger();
    EXPECT_TRUE(stayed);
    ASSERT_EQ(messages.messages().size(), 2u);
    EXPECT_EQ(messages.messages()[0].text, MissingPickText("S"));
    EXPECT_EQ(context->session().phases().Count(), 1);
    EXPECT_EQ(context->session().phases().GetAt(0)->hasAmplitude, 0);
}

}  // namespace
}  // namespace zel
