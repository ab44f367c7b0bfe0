// The filter sheet and the filter and simulation commands on the demo disk loop, driven through
// the frame's actions: what lands in the active panes, and what is refused with which message.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QSpinBox>
#include <QTimer>

#include "app/ui/MainFrame.h"
#include "app/ui/ZelApplication.h"
#include "dsp/FormulaFunctions.h"
#include "dsp/ui/FilterPage.h"
#include "session/AppContext.h"
#include "support/ui/DemoFrameTest.h"
#include "wave/FilterSettings.h"
#include "wave/Navigation.h"
#include "wave/PaneRate.h"
#include "wave/ui/CZoomWindow.h"
#include "wave/ui/waveform.h"

namespace zel {
namespace {

class FilterCommandsTest : public test::DemoFrameTest {
  protected:
    void SetUp() override {
        openDemoFrame();
        ASSERT_TRUE(frame->waveforms()->openDefaultView());
    }
    void TearDown() override {
        DemoFrameTest::TearDown();
    }
    CZoomWindow* activateFirst() {
        CZoomWindow* w = frame->waveforms()->zoomWindows().front();
        frame->waveforms()->clickPlot(w);
        return w;
    }
    // Runs `step` on the filter sheet that the next command opens, then closes it.
    void onSheet(std::function<void(CFilterSheet*)> step) {
        QTimer::singleShot(0, [step] {
            auto* sheet = qobject_cast<CFilterSheet*>(QApplication::activeModalWidget());
            ASSERT_NE(sheet, nullptr);
            step(sheet);
            sheet->reject();
        });
    }
};

TEST_F(FilterCommandsTest, SheetFiltersRefusesInvertedBandsAndStoresPresets) {
    CZoomWindow* w = activateFirst();
    onSheet([](CFilterSheet* sheet) {
        GetFilterPage0* page = sheet->page();
        page->setType(0);
        page->lowEdit()->setText("0.9");
        page->highEdit()->setText("0.5");
        page->setModified(true);
        EXPECT_FALSE(sheet->apply());  // refused, page stays
        page->highEdit()->setText("5");
        page->orderBox()->setValue(4);
        page->askName = [] { return QString("Мой фильтр"); };
        page->storePreset();
        // Beside the presets a fresh install brings.
        ASSERT_EQ(page->presetList()->count(), 7);
        EXPECT_EQ(page->presetList()->findItems("Мой фильтр", Qt::MatchExactly).size(), 1);
        EXPECT_TRUE(sheet->apply());
    });
    frame->action(32704)->trigger();
    ASSERT_TRUE(w->pane().transformed().has_value());
    const TransformedSignal& t = *w->pane().transformed();
    EXPECT_EQ(t.code(), 0);
    EXPECT_EQ(t.samples.size(), static_cast<std::size_t>(std::trunc(w->pane().duration()) * t.sps));
    EXPECT_TRUE(messages.messages().empty());

    frame->action(32737)->trigger();
    EXPECT_FALSE(w->pane().transformed().has_value());

    // The toolbar's preset list filters the active panes in one choice, the new preset offered.
    auto* presets = frame->findChild<QComboBox*>("FilterPresets");
    ASSERT_NE(presets, nullptr);
    presets->showPopup();
    presets->hidePopup();
    EXPECT_GE(presets->findText("Мой фильтр"), 1);
    const int bandPass = presets->findText("ППФ 1-10 Гц");
    ASSERT_GE(bandPass, 1);
    Q_EMIT presets->activated(bandPass);
    ASSERT_TRUE(w->pane().keptTransformation.has_value());
    EXPECT_EQ(w->pane().keptTransformation->filter.low, 1.0f);
    EXPECT_EQ(w->pane().keptTransformation->filter.high, 10.0f);
    EXPECT_TRUE(w->pane().transformed().has_value());
    EXPECT_EQ(presets->currentIndex(), 0);
}

TEST_F(FilterCommandsTest, SimulationsOnTheDemoResponses) {
    CZoomWindow* w = activateFirst();
    // The default view is an hour: more than the poles-zeros path takes, and it says so.
    frame->action(33140)->trigger();
    EXPECT_FALSE(w->pane().transformed().has_value());
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_NE(messages.messages()[0].text.find("10 минутам"), std::string::npos)
        << messages.messages()[0].text;
    messages.clear();

    w->pane().setInterval(w->pane().start(), 60);
    frame->waveforms()->reload(w);
    frame->action(33140)->trigger();  // Wood-Anderson from the CALIBRATION poles and zeros
    for (const Message& m : messages.messages()) ADD_FAILURE() << m.text;
    ASSERT_TRUE(w->pane().transformed().has_value());
    EXPECT_EQ(w->pane().transformed()->code(), 1004);
    EXPECT_LE(w->pane().transformed()->samples.size(), 6000u);
    EXPECT_GE(w->pane().transformed()->samples.size(), 5760u);
}

TEST_F(FilterCommandsTest, TransformationMenuOffersSimulationsAndStoredPresets) {
    CZoomWindow* w = activateFirst();
    w->pane().setInterval(w->pane().start(), 60);
    frame->waveforms()->reload(w);
    SaveFilterPreset(context->registry(), "Телесейсмы", [] {
        ChannelFilterSettings s;
        s.lowText = "0.5";
        s.highText = "2";
        s.type = 3;
        s.order = 4;
        s.zeroPhase = false;
        return s;
    }());

    QMenu* transformations = nullptr;
    for (QAction* a : frame->action(32704)->menu()->actions())
        if (a->menu() && a->text() == "Преобразование") transformations = a->menu();
    ASSERT_NE(transformations, nullptr);
    Q_EMIT transformations->aboutToShow();
    auto entry = [&](const QString& text) -> QAction* {
        for (QAction* a : transformations->actions())
            if (a->text() == text) return a;
        ADD_FAILURE() << "no entry " << text.toStdString();
        return nullptr;
    };
    for (const char* text : {"Пересчет в смещение", "Симуляция ВЭГИК-0.7", "Симулировать СКМ"}) entry(text);

    entry("Пересчет в скорость")->trigger();
    for (const Message& m : messages.messages()) ADD_FAILURE() << m.text;
    ASSERT_TRUE(w->pane().transformed().has_value());
    EXPECT_EQ(w->pane().transformed()->code(), 1010);
    EXPECT_EQ(PickFilterText(w->pane().transformed()->how), "Пересчет в скорость");

    entry("Телесейсмы")->trigger();
    ASSERT_TRUE(w->pane().transformed().has_value());
    EXPECT_EQ(w->pane().transformed()->code(), 3);
    EXPECT_EQ(PickFilterText(w->pane().transformed()->how), "Верхних частот 0.5 Гц, порядок 4");
}

TEST_F(FilterCommandsTest, CommandsWithoutActivePanesTransformNothing) {
    frame->waveforms()->deactivateAll();
    // Without an active pane the commands fall back to phase picking, or say that no pane is chosen.
    bool picking = false;
    QObject::connect(frame->action(32712), &QAction::triggered, [&] { picking = true; });
    for (int id : {33137, 33176, 32737}) frame->action(id)->trigger();
    EXPECT_TRUE(picking || !messages.messages().empty());
    for (CZoomWindow* w : frame->waveforms()->zoomWindows())
        EXPECT_FALSE(w->pane().transformed().has_value());
}

// A band-pass stays through zoom, shift and return: after each reload the pane shows a fresh
// filter of its new interval, never the old signal; with the option off the reload drops it.
TEST_F(FilterCommandsTest, ABandPassSurvivesNavigationAndFollowsTheInterval) {
    CZoomWindow* w = activateFirst();
    ChannelFilterSettings band;
    band.type = 0;
    band.low = 1.0f, band.lowText = "1";
    band.high = 5.0f, band.highText = "5";
    band.order = 4;
    onSheet([&](CFilterSheet* sheet) {
        GetFilterPage0* page = sheet->page();
        page->setType(0);
        page->lowEdit()->setText("1");
        page->highEdit()->setText("5");
        page->orderBox()->setValue(4);
        page->setModified(true);
        EXPECT_TRUE(sheet->apply());
    });
    waveform* window = frame->waveforms();
    window->activateAll();  // the panes are filtered side by side on the machine's cores
    frame->action(32704)->trigger();
    ASSERT_GT(window->zoomWindows().size(), 2u);
    for (CZoomWindow* each : window->zoomWindows()) {
        const TracePane& pane = each->pane();
        ASSERT_TRUE(pane.transformed().has_value()) << pane.number();
        EXPECT_EQ(pane.transformed()->samples,
                  FilterPaneSignal(pane.data(), pane.start(), pane.duration(), PaneRate(pane), band).samples)
            << pane.number();
    }
    for (NavCommand step : {NavCommand::StretchTime, NavCommand::ShiftLater, NavCommand::Return}) {
        const double before = w->pane().start() + w->pane().duration();
        window->navigate(step);
        const TracePane& pane = w->pane();
        EXPECT_NE(pane.start() + pane.duration(), before) << static_cast<int>(step);
        ASSERT_TRUE(pane.transformed().has_value()) << static_cast<int>(step);
        const TransformedSignal fresh =
            FilterPaneSignal(pane.data(), pane.start(), pane.duration(), PaneRate(pane), band);
        EXPECT_EQ(pane.transformed()->samples, fresh.samples) << static_cast<int>(step);
        EXPECT_EQ(PickFilterText(pane.transformed()->how), "Полосовой 1-5 Гц, порядок 4, нулевая фаза");
    }
    for (const Message& m : messages.messages()) ADD_FAILURE() << m.text;

    context->settings().keepTransformation = false;
    window->navigate(NavCommand::ShiftEarlier);
    EXPECT_FALSE(w->pane().transformed().has_value());
    EXPECT_FALSE(w->pane().keptTransformation.has_value());
}

}  // namespace
}  // namespace zel
