// The DSP workspace in the frame on the demo disk loop: its commands, the worksheet, data-file and
// clipboard round trips through the window, the analyst's consent before a file is replaced,
// printing to PDF, a picture of a demo trace with its spectrum, and the spectrogram of the
// demo teleseism.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>
#include <cstdlib>

#include "app/ui/MainFrame.h"
#include "app/ui/ZelApplication.h"
#include "data/StationModel.h"
#include "data/demo/DemoDiskLoop.h"
#include "dsp/DspWorksheet.h"
#include "dsp/FormulaFunctions.h"
#include "dsp/SavedFormulas.h"
#include "dsp/ui/DspDialogs.h"
#include "dsp/ui/DspWorkspaceWidget.h"
#include "dsp/ui/FormulaDialog.h"
#include "dsp/ui/SpectrogramWindow.h"
#include "session/AppContext.h"
#include "support/ui/DemoFrameTest.h"
#include "support/ui/DialogScript.h"
#include "wave/ui/CZoomWindow.h"
#include "wave/ui/waveform.h"
#include "widgets/Commands.h"

namespace zel {
namespace {

using test::ReadFile;
using test::WriteFile;

class DspWorkspaceTest : public test::DemoFrameTest {
  protected:
    void SetUp() override {
        openDemoFrame();
        ASSERT_TRUE(frame->waveforms()->openDefaultView());
        dsp = qobject_cast<CDSP*>(frame->child(CMainFrame::kDsp)->widget());
        ASSERT_NE(dsp, nullptr);
        // Two minutes of the first demo channel from the local event's origin.
        CZoomWindow* w = frame->waveforms()->zoomWindows().front();
        w->pane().setInterval(demo::DemoEvents()[0].origin, 120);
        frame->waveforms()->reload(w);
    }
    void TearDown() override {
        DemoFrameTest::TearDown();
    }
    void formula(int window, const char* text) {
        dsp->setCurrent(window);
        dsp->applyFormula(text);
    }
    std::vector<double> samples(int window) {
        const DspWindow& w = dsp->model().window(window);
        if (!w.signal) return {};
        auto v = w.signal->Values();
        return {v.begin(), v.end()};
    }
    CDSP* dsp = nullptr;
};

TEST_F(DspWorkspaceTest, CommandsAreWiredAndTheMenuCarriesThem) {
    QMenu* menu = frame->menu(cmd::Menu::Dsp);
    ASSERT_NE(menu, nullptr);
    int listed = 0;
    for (int id : cmd::DspWorkspaceCommands()) {
        if (id == 0) continue;
        EXPECT_TRUE(frame->action(id)->isEnabled()) << id;
        EXPECT_TRUE(menu->actions().contains(frame->action(id))) << id;
        ++listed;
    }
    EXPECT_EQ(listed, 15);
    EXPECT_EQ(frame->child(Workbench::kDsp)->widget(), dsp);

    formula(0, "gline(3, 1, 1, 0)");
    frame->action(cmd::kDspFixWindow)->trigger();
    EXPECT_TRUE(dsp->model().window(0).fixed);
    EXPECT_TRUE(frame->action(cmd::kDspFixWindow)->isChecked());
    EXPECT_TRUE(dsp->formulaEdit()->isReadOnly());
    dsp->applyFormula("5");  // a fixed window keeps its formula and data
    EXPECT_EQ(samples(0), (std::vector<double>{0, 1, 2}));
    dsp->setCurrent(1);
    EXPECT_FALSE(frame->action(cmd::kDspFixWindow)->isChecked());
    frame->action(cmd::kDspAddWindow)->trigger();
    EXPECT_EQ(dsp->windows().size(), 5u);
}

TEST_F(DspWorkspaceTest, WorksheetRoundTripOnADemoTraceRecomputesTheSameWindows) {
    formula(0, "extract(d0 , 1 , 2048); demo trace, first 2048 samples");
    formula(1, "spectrum(w0)");
    formula(2, "butter((w0-mean(w0)),1.000000,5.000000,3)");
    formula(3, "w1*2;w2");
    std::vector<std::vector<double>> before;
    for (int i = 0; i < 4; ++i) {
        ASSERT_TRUE(dsp->model().window(i).error.empty()) << i << ": " << dsp->model().window(i).error;
        before.push_back(samples(i));
    }
    EXPECT_EQ(before[0].size(), 2048u);

    const QString path = QString::fromStdString(dir.file("demo.wks"));
    ASSERT_TRUE(dsp->saveWorksheet(path));
    dsp->model().reset(1);
    dsp->rebuildWindows();
    ASSERT_TRUE(samples(0).empty());
    ASSERT_TRUE(dsp->loadWorksheet(path));
    ASSERT_EQ(dsp->windows().size(), 4u);
    EXPECT_EQ(dsp->model().current(), 0);
    EXPECT_EQ(dsp->formulaEdit()->text(), "extract(d0 , 1 , 2048); demo trace, first 2048 samples");
    for (int i = 0; i < 4; ++i) EXPECT_EQ(samples(i), before[static_cast<std::size_t>(i)]) << i;

    // A worksheet without windows leaves the workspace as it was.
    WriteFile(dir.file("empty.wks"), "[WORKSHEET]\nWINDOWS=0\n");
    EXPECT_FALSE(dsp->loadWorksheet(QString::fromStdString(dir.file("empty.wks"))));
    EXPECT_EQ(dsp->model().size(), 4);
    EXPECT_TRUE(messages.messages().empty());
}

TEST_F(DspWorkspaceTest, ClipboardCopyPasteAndTextInAnotherFormIgnored) {
    formula(0, "gline(3, 0.025, 40, 0.5)");  // 0.5 1.5 2.5 at 40 sps
    formula(1, "w0*2");
    dsp->setCurrent(0);
    frame->action(cmd::kDspCopyData)->trigger();
    EXPECT_EQ(QApplication::clipboard()->text(),
              "DSP ZEL\r\nSPS=40.000000\r\nQTY=3\r\n0.500000\r\n1.500000\r\n2.500000\r\n");

    dsp->setCurrent(2);
    frame->action(cmd::kDspPasteData)->trigger();
    EXPECT_EQ(samples(2), (std::vector<double>{0.5, 1.5, 2.5}));
    EXPECT_DOUBLE_EQ(dsp->model().window(2).signal->dx, 0.025);
    EXPECT_TRUE(dsp->model().window(2).fixed);

    // Pasting into W0 brings W1 up to date.
    QApplication::clipboard()->setText("DSP ZEL\r\nSPS=1.000000\r\nQTY=2\r\n7.000000\r\n8.000000\r\n");
    dsp->setCurrent(0);
    frame->action(cmd::kDspPasteData)->trigger();
    EXPECT_EQ(samples(1), (std::vector<double>{14, 16}));

    QApplication::clipboard()->setText("DSP\r\nSPS=1\r\nQTY=1\r\n9\r\n");
    frame->action(cmd::kDspPasteData)->trigger();
    EXPECT_EQ(samples(0), (std::vector<double>{7, 8}));
    EXPECT_TRUE(messages.messages().empty());

    dsp->setCurrent(3);
    frame->action(cmd::kDspCopyData)->trigger();  // nothing to copy
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_EQ(messages.messages()[0].text, "Набор данных пуст");
}

TEST_F(DspWorkspaceTest, DataFilesAreReplacedOnlyWithConsentAndLoadFixed) {
    const QString path = QString::fromStdString(dir.file("dspout.dat"));
    WriteFile(path.toStdString(), "precious\n");
    formula(0, "gline(2, 0.5, 2, 1)");  // 1 2, dx 0.5
    messages.queueAnswer(MessageAnswer::No);
    EXPECT_FALSE(dsp->saveData(path));
    EXPECT_EQ(ReadFile(path.toStdString()), "precious\n");
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_EQ(messages.messages()[0].buttons, MessageButtons::YesNo);
    messages.queueAnswer(MessageAnswer::Yes);
    EXPECT_TRUE(dsp->saveData(path));
    EXPECT_EQ(ReadFile(path.toStdString()), "1.000000\n2.000000\n");
    messages.clear();

    // An empty window is reported and its file still written.
    dsp->setCurrent(3);
    const QString empty = QString::fromStdString(dir.file("empty.dat"));
    EXPECT_TRUE(dsp->saveData(empty));
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_EQ(messages.messages()[0].text, "Набор данных пуст");
    EXPECT_EQ(messages.messages()[0].icon, MessageIcon::Error);
    EXPECT_TRUE(QFileInfo::exists(empty));
    messages.clear();

    formula(2, "w1+1");
    dsp->setCurrent(1);
    ASSERT_TRUE(dsp->loadData(path));
    EXPECT_EQ(samples(1), (std::vector<double>{1, 2}));
    EXPECT_DOUBLE_EQ(dsp->model().window(1).signal->dx, 1.0);
    EXPECT_TRUE(dsp->model().window(1).fixed);
    EXPECT_TRUE(dsp->formulaEdit()->isReadOnly());
    EXPECT_TRUE(frame->action(cmd::kDspFixWindow)->isChecked());
    EXPECT_EQ(samples(2), (std::vector<double>{2, 3}));

    EXPECT_FALSE(dsp->loadData(empty));
    EXPECT_FALSE(dsp->loadData(QString::fromStdString(dir.file("none.dat"))));
    ASSERT_EQ(messages.messages().size(), 2u);
    EXPECT_EQ(messages.messages()[0].text, "Файл " + empty.toStdString() + " пуст");
    EXPECT_EQ(messages.messages()[0].caption, "ПОС");
    EXPECT_EQ(messages.messages()[1].text, "Ошибка открытия файла " + dir.file("none.dat"));
    EXPECT_EQ(samples(1), (std::vector<double>{1, 2}));
}

TEST_F(DspWorkspaceTest, FormulaDialogInsertsTemplatesAndRemembersFormulas) {
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<CFormulaDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->formulaEdit()->clear();
        dialog->button("abs")->click();
        EXPECT_EQ(dialog->formulaEdit()->text(), "abs(w)");
        EXPECT_EQ(dialog->helpLabel()->text(), "abs(W) - Produces the absolute value of any expression");
        dialog->askFilter = [] { return QString("butter((current-mean(current)),1.000000,5.000000,3)"); };
        dialog->formulaEdit()->clear();
        dialog->button("butter")->click();
        EXPECT_EQ(dialog->formulaEdit()->text(), "butter((current-mean(current)),1.000000,5.000000,3)");
        dialog->askWindow = [] { return QString("w3"); };
        dialog->formulaEdit()->setText("abs()");
        dialog->formulaEdit()->setCursorPosition(4);
        dialog->button("w")->click();
        EXPECT_EQ(dialog->formulaEdit()->text(), "abs(w3)");
        dialog->formulaEdit()->setText("gsin(100, 0.01, 2, 0)");
        dialog->accept();
    });
    frame->action(cmd::kDspFormula)->trigger();
    EXPECT_EQ(dsp->model().window(0).formula, "gsin(100, 0.01, 2, 0)");
    EXPECT_EQ(dsp->model().window(0).count(), 100u);
    EXPECT_EQ(dsp->savedFormulas().formulas().front(), "gsin(100, 0.01, 2, 0)");
    EXPECT_EQ(context->ini().getString("Formulas list", "formula1"), "gsin(100, 0.01, 2, 0)");

    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<CFormulaDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        ASSERT_EQ(dialog->savedList()->count(), 1);
        dialog->reject();
    });
    frame->action(cmd::kDspFormula)->trigger();
}

TEST_F(DspWorkspaceTest, SpectrumOfADemoTracePrintedAndPictured) {
    formula(0, "d0");
    formula(1, "spectrum(w0-mean(w0))");
    formula(2, "butter((w0-mean(w0)),1.000000,5.000000,3)");
    formula(3, "spectrum(w2)");
    for (int i = 0; i < 4; ++i) ASSERT_TRUE(dsp->model().window(i).error.empty()) << dsp->model().window(i).error;
    dsp->setCurrent(3);
    std::array<std::string, kDspOverlayCount> overlays{};
    overlays[0] = "w1";
    dsp->model().setOverlays(3, overlays);
    EXPECT_FALSE(dsp->model().window(3).overlays[0].samples.empty());

    // The spectrum runs from 0 to the Nyquist frequency of the channel.
    const DspWindow& spectrum = dsp->model().window(1);
    const double sps = 1.0 / dsp->model().window(0).signal->dx;
    EXPECT_NEAR(static_cast<double>(spectrum.last) * spectrum.signal->dx, sps / 2, sps / 100);

    const QString pdf = QString::fromStdString(dir.file("dsp.pdf"));
    ASSERT_TRUE(dsp->printToPdf(pdf));
    EXPECT_EQ(ReadFile(pdf.toStdString()).substr(0, 5), "%PDF-");

    frame->activateChild(CMainFrame::kDsp, true);
    QApplication::processEvents();
    frame->grab().save("/tmp/zel_dsp_workspace.png");  // for looking at
    const QImage image = dsp->windows()[1]->grab().toImage();
    // The curve is drawn: some pixel of the plot carries the curve colour.
    bool curve = false;
    for (int y = 0; y < image.height() && !curve; ++y)
        for (int x = 0; x < image.width() && !curve; ++x) curve = image.pixelColor(x, y) == QColor(0, 0, 160);
    EXPECT_TRUE(curve);
}

TEST_F(DspWorkspaceTest, SpectrogramOfTheDemoTeleseism) {
    // An empty window is refused before any question is asked.
    dsp->setCurrent(3);
    frame->action(cmd::kDspSpectrogram)->trigger();
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_EQ(messages.messages()[0].text, "Набор данных пуст");
    messages.clear();

    // Fifteen minutes of the array reference's vertical from a minute before the teleseism's P.
    int teleseism = 0;
    while (std::string(demo::DemoEvents()[static_cast<std::size_t>(teleseism)].magnitudeType) != "mb")
        ++teleseism;
    double p = 0, s = 0;
    for (const demo::DemoArrival& a : demo::DemoArrivals(ZEL_RESOURCES_DIR))
        if (a.station == "BKA0" && a.event == teleseism) {
            if (a.phase == "P") p = a.time;
            if (a.phase == "S") s = a.time;
        }
    ASSERT_GT(p, 0.0);
    ASSERT_GT(s, p + 60);
    waveform* wave = frame->waveforms();
    wave->removeAllPanes();
    const int station = FindStation(context->stations(), "BKA0");
    ASSERT_GE(station, 0);
    const double start = p - 60;
    wave->addPane(station, context->stations()[static_cast<std::size_t>(station)].FindSlot("SHZ"), start,
                  900);
    formula(0, "BKA0:SHZ");
    ASSERT_TRUE(dsp->model().window(0).error.empty()) << dsp->model().window(0).error;
    ASSERT_EQ(dsp->model().window(0).count(), 90000u);  // 100 sps

    // The dialog offers 512 samples (5.12 s) overlapping by half; the picture is cut at 5 Hz.
    test::DialogScript script;
    script.then<CSpectrogramDlg>([](CSpectrogramDlg* d) {
        EXPECT_EQ(d->length(), 512);
        EXPECT_EQ(d->overlap(), 256);
        d->lengthField()->setValue(1024);
        d->overlapField()->setValue(768);
        d->maxFrequencyField()->setValue(5.0);
        d->accept();
    });
    ASSERT_TRUE(script.run([&] { frame->action(cmd::kDspSpectrogram)->trigger(); }));
    EXPECT_TRUE(messages.messages().empty());
    auto plots = [&] {
        std::vector<SpectrogramWindow*> found;
        for (QMdiSubWindow* sub : frame->mdiArea()->subWindowList())
            if (auto* plot = qobject_cast<SpectrogramWindow*>(sub->widget())) found.push_back(plot);
        return found;
    };
    ASSERT_EQ(plots().size(), 1u);
    SpectrogramWindow* plot = plots().front();
    const Spectrogram& sg = plot->spectrogram();
    EXPECT_EQ(sg.segments, (90000u - 1024u) / 256u + 1);
    EXPECT_EQ(plot->shownBins(), 52u);  // 0 .. 5 Hz in steps of 100/1024 Hz

    // The energy is where the demo put it: P (1 Hz) and S (0.5 Hz, weaker on the vertical) stand
    // well above the noise of the minute before P, each in its band.
    auto level = [&](double from, double to, double f1, double f2) {
        const std::vector<double> band = BandMeanPower(sg, f1, f2);
        double peak = 0;
        for (std::size_t i = 0; i < sg.segments; ++i)
            if (sg.times[i] >= from && sg.times[i] <= to) peak = std::max(peak, band[i]);
        return 10 * std::log10(peak);
    };
    EXPECT_GT(level(60, 75, 0.7, 1.5), level(0, 50, 0.7, 1.5) + 30) << "P";
    EXPECT_GT(level(s - start, s - start + 20, 0.4, 0.7), level(0, 50, 0.4, 0.7) + 15) << "S";

    plot->parentWidget()->resize(1000, 620);
    QApplication::processEvents();
    // For looking at (docs/screenshots/spectrogram.png): in ZEL_SHOT_DIR when it names a folder.
    const char* shots = std::getenv("ZEL_SHOT_DIR");
    ASSERT_TRUE(plot->savePng(QString(shots ? shots : "/tmp") + "/spectrogram.png"));
    // The picture carries the colour map's bright end (the P and S energy) and its dark floor.
    const QImage image = plot->grab().toImage();
    int bright = 0, dark = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            bright += c.red() > 200 && c.green() > 200 && c.blue() < 80;
            dark += c.red() < 80 && c.green() < 40 && c.blue() > 70;
        }
    EXPECT_GT(bright, 20);
    EXPECT_GT(dark, 1000);

    // Bad parameters are reported, and a repeated command replaces the window.
    EXPECT_FALSE(dsp->showSpectrogram(*frame, 1, 0, 50));
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_EQ(messages.messages()[0].text,
              "Ошибка в spectrogram: длина окна 1 вне пределов 2 .. 90000 (число отсчетов сигнала)");
    EXPECT_TRUE(dsp->showSpectrogram(*frame, 256, 128, 50));
    QApplication::processEvents();
    ASSERT_EQ(plots().size(), 1u);
    EXPECT_EQ(plots().front()->spectrogram().bins, 129u);
}

}  // namespace
}  // namespace zel
