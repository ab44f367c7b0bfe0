// The main frame on the offscreen platform: start-up on the embedded default, exit questions,
// tiling and toolbar customisation.

#include "app/ui/MainFrame.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QTime>
#include <QToolButton>

#include "app/ui/SettingsSheet.h"
#include "app/ui/ZelApplication.h"
#include "base/TimeConversions.h"
#include "base/ZelError.h"
#include "i18n/InterfaceTranslation.h"
#include "session/AppContext.h"
#include "support/TestAppPaths.h"
#include "wave/ui/CZoomWindow.h"
#include "wave/ui/WaveformsSetupPage.h"
#include "wave/ui/waveform.h"
#include "widgets/ToolbarCustomizeDialog.h"
#include "widgets/ZelStatusBar.h"
#include "widgets/ZelToolbar.h"

namespace zel {
namespace {

class MainFrameTest : public ::testing::Test {
  protected:
    AppPaths Paths() const { return test::TestAppPaths(dir); }
    // A frame as `zel` with the given switches builds it.
    CMainFrame* Start(CommandLineOverrides commandLine = {}, bool demoData = false) {
        context = std::make_unique<AppContext>(commandLine, Paths(), messages);
        context->loadConfiguration();
        frame = CreateMainFrame(*context, {.splash = false, .demoData = demoData});
        frame->setAttribute(Qt::WA_DeleteOnClose, false);
        return frame;
    }
    void TearDown() override {
        delete frame;
        context.reset();
    }

    test::TempDir dir;
    RecordingMessageSink messages;
    std::unique_ptr<AppContext> context;
    CMainFrame* frame = nullptr;
};

TEST_F(MainFrameTest, StartsOnTheEmbeddedDefaultWithItsWindowsToolbarsAndClock) {
    Start({}, true);
    for (const Message& m : messages.messages()) ADD_FAILURE() << "unexpected message: " << m.text;
    EXPECT_TRUE(context->firstStart());
    EXPECT_TRUE(context->databases().work().isOpen());
    EXPECT_EQ(context->databases().nextArid(), 1);  // keys come from the embedded database

    // With a maximised child the frame shows its title too, as MDI frames do.
    EXPECT_EQ(frame->windowTitle().toStdString(), "Система обработки сейсмических данных - [Волновые формы]");
    QStringList titles;
    for (QMdiSubWindow* sub : frame->mdiArea()->subWindowList()) titles << sub->windowTitle();
    EXPECT_EQ(titles, (QStringList{"Карта", "Волновые формы", "Список фаз", "Процессор обработки сигналов"}));
    EXPECT_EQ(frame->mdiArea()->activeSubWindow(), frame->child(CMainFrame::kWaveforms));
    EXPECT_TRUE(frame->child(CMainFrame::kWaveforms)->isMaximized());

    EXPECT_TRUE(frame->toolbar("WAVEFORMS")->isVisible());
    EXPECT_TRUE(frame->toolbar("MAP")->isVisible());
    EXPECT_FALSE(frame->toolbar("PHASELIST")->isVisible());
    EXPECT_FALSE(frame->toolbar("DSP")->isVisible());
    EXPECT_EQ(frame->groupCombo()->width(), 200);
    EXPECT_TRUE(frame->toolbar("MAP")->isAncestorOf(frame->groupCombo()));

    CZELStatusBar* bar = frame->zelStatusBar();
    EXPECT_GE(bar->height(), 25);
    EXPECT_EQ(bar->fixedPane()->width(), 250);
    EXPECT_TRUE(QTime::fromString(bar->clockPane()->text(), "HH:mm:ss").isValid())
        << bar->clockPane()->text().toStdString();
    EXPECT_EQ(bar->findChildren<QToolButton*>().size(), 7);

    // The demo loop was built and its first hour opened, one pane per station, with samples.
    waveform* w = frame->waveforms();
    ASSERT_FALSE(context->stations().empty());
    ASSERT_EQ(w->panes().size(), context->stations().size());
    EXPECT_FALSE(w->panes()[0].data().blocks.empty());
    EXPECT_GT(w->panes()[0].data().TotalCount(), 0u);
    // The map's network box: all stations first, then every network.
    EXPECT_EQ(frame->groupCombo()->count(), static_cast<int>(context->networks().size()) + 1);
    EXPECT_EQ(frame->groupCombo()->itemText(0), "Сейсмические станции");

    // A closed permanent window is only minimised: it lives as long as the frame.
    frame->child(CMainFrame::kMap)->close();
    EXPECT_EQ(frame->mdiArea()->subWindowList().size(), 4);
}

TEST_F(MainFrameTest, ExitWithAnEmptyPhaseListAsksAndNoKeepsEverything) {
    Start();
    messages.queueAnswer(MessageAnswer::No);
    EXPECT_FALSE(frame->close());
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_EQ(messages.messages()[0].text, "Вы согласны завершить работу программы ZEL?");
    EXPECT_TRUE(frame->isVisible());
    EXPECT_TRUE(context->databases().work().isOpen());

    // "Выход" goes through the same question.
    messages.queueAnswer(MessageAnswer::No);
    frame->action(57665)->trigger();
    EXPECT_TRUE(frame->isVisible());
    messages.queueAnswer(MessageAnswer::Yes);
    frame->action(57665)->trigger();
    EXPECT_FALSE(frame->isVisible());
}

TEST_F(MainFrameTest, ANonEmptyPhaseListIsNeverLostOnExit) {
    Start();
    context->session().phases().Add(SEISMIC_PHASE{});
    // Just saved: nothing to lose, the plain question.
    context->session().changed(SessionChange::Picks);
    context->session().markPicksSaved();
    messages.queueAnswer(MessageAnswer::No);
    EXPECT_FALSE(frame->close());
    EXPECT_EQ(messages.messages().back().text, "Вы согласны завершить работу программы ZEL?");
    context->session().phases().GetAt(0)->time = 5;  // then changed
    context->session().changed(SessionChange::Picks);
    bool saveSucceeds = false;
    int saves = 0;
    frame->savePhaseList = [&] {
        ++saves;
        return saveSucceeds;
    };
    messages.queueAnswer(MessageAnswer::Cancel);
    EXPECT_FALSE(frame->close());
    messages.queueAnswer(MessageAnswer::Yes);  // the save fails or is cancelled: stay open
    EXPECT_FALSE(frame->close());
    EXPECT_EQ(saves, 1);
    EXPECT_EQ(messages.messages().back().text, "Список фаз не пуст. Сохранить?");
    saveSucceeds = true;
    messages.queueAnswer(MessageAnswer::Yes);
    EXPECT_TRUE(frame->close());
    EXPECT_EQ(saves, 2);
}

TEST_F(MainFrameTest, TheNextStartShowsThePanesOfTheLastOne) {
    Start({}, true);
    waveform* wave = frame->waveforms();
    ASSERT_GT(wave->zoomWindows().size(), 2u);  // a first start opens the catalogue's first hour
    while (wave->zoomWindows().size() > 2) wave->removePane(wave->zoomWindows().back());
    CZoomWindow* second = wave->zoomWindows()[1];
    second->pane().setInterval(second->pane().start() + 600, 120);
    wave->reload(second);
    const PaneChannel kept = second->pane().channel();
    const double keptStart = second->pane().start();
    messages.queueAnswer(MessageAnswer::Yes);
    ASSERT_TRUE(frame->close());
    delete frame;
    frame = nullptr;
    context.reset();

    Start({}, true);
    const auto shown = frame->waveforms()->zoomWindows();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[1]->pane().channel().station, kept.station);
    EXPECT_EQ(shown[1]->pane().channel().channel, kept.channel);
    EXPECT_EQ(shown[1]->pane().start(), keptStart);
    EXPECT_EQ(shown[1]->pane().duration(), 120);
}

// Each language reaches Qt's own buttons, the workstation's texts and the core's templates, and
// leaves the Russian source texts behind when it ends.
TEST(InterfaceTranslationTest, EachLanguageTranslatesQtTheFrameAndTheCoreWhileItLives) {
    const struct {
        InterfaceLanguage language;
        const char *cancel, *no, *title, *month;
    } cases[] = {
        {InterfaceLanguage::Russian, "Отмена", "Нет", "Система обработки сейсмических данных",
         "Недопустимый номер месяца: 13"},
        {InterfaceLanguage::English, "Cancel", "No", "Seismic data processing system", "Invalid month number: 13"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(InterfaceLanguageCode(c.language));
        {
            const InterfaceTranslation translation(c.language, TranslatedProgram::Workstation);
            EXPECT_EQ(CurrentInterfaceLanguage(), c.language);
            EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), c.cancel)
                << "Qt's Russian translation is missing (qt6-translations-l10n)";
            QMessageBox box(QMessageBox::Question, "ZEL", "?", QMessageBox::Yes | QMessageBox::No);
            EXPECT_EQ(box.button(QMessageBox::No)->text().remove('&'), c.no);
            EXPECT_EQ(qtTrId("Система обработки сейсмических данных"), c.title);
            try {
                MonthDayToDayOfYear(2026, 13, 1);
                ADD_FAILURE() << "month 13 accepted";
            } catch (const ZelError& e) {
                EXPECT_STREQ(e.what(), c.month);
                EXPECT_EQ(e.id(), "Недопустимый номер месяца: %1");
                EXPECT_EQ(e.args(), std::vector<std::string>{"13"});
            }
        }
        EXPECT_EQ(CurrentInterfaceLanguage(), InterfaceLanguage::Russian);
        EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), "Cancel");
        EXPECT_EQ(Tr("Нет решения"), "Нет решения");
    }
}

TEST_F(MainFrameTest, ADatabaseThatCannotOpenIsReportedAndTheFrameStillComesUp) {
    CommandLineOverrides commandLine;
    commandLine.odbc = "nosuchdsn";
    Start(commandLine);
    ASSERT_FALSE(messages.messages().empty());
    EXPECT_NE(messages.messages()[0].text.find("DSN=nosuchdsn;"), std::string::npos);
    EXPECT_EQ(messages.messages().back().text, "Ошибка инициализации интерфейса к базе данных ZEL");
    EXPECT_TRUE(frame->isVisible());
    EXPECT_EQ(frame->mdiArea()->subWindowList().size(), 4);
}

TEST_F(MainFrameTest, TilingsStackOrSetSideBySideEveryWindow) {
    Start();
    frame->resize(1200, 900);
    QApplication::processEvents();
    const QRect area = frame->mdiArea()->viewport()->rect();
    frame->tileHorizontally();
    int y = 0;
    for (QMdiSubWindow* sub : frame->mdiArea()->subWindowList(QMdiArea::CreationOrder)) {
        EXPECT_FALSE(sub->isMaximized());
        EXPECT_EQ(sub->geometry().width(), area.width());
        EXPECT_EQ(sub->geometry().y(), y);
        y += sub->geometry().height();
    }
    EXPECT_EQ(y, area.height());
    frame->tileVertically();
    int x = 0;
    for (QMdiSubWindow* sub : frame->mdiArea()->subWindowList(QMdiArea::CreationOrder)) {
        EXPECT_EQ(sub->geometry().height(), area.height());
        EXPECT_EQ(sub->geometry().x(), x);
        x += sub->geometry().width();
    }
    EXPECT_EQ(x, area.width());
}

TEST_F(MainFrameTest, ToolbarCustomisationResetsToTheOpeningLayoutAndIsKeptForTheNextStart) {
    Start();
    CZELToolbar* toolbar = frame->toolbar("WAVEFORMS");
    const ToolbarLayout original = toolbar->layout();
    {
        ToolbarCustomizeDialog dialog(*toolbar, context->registry());
        dialog.findChild<QListWidget*>();
        // Remove the first button, then reset: back to the layout the dialog opened with.
        auto lists = dialog.findChildren<QListWidget*>();
        ASSERT_EQ(lists.size(), 2);
        lists[1]->setCurrentRow(0);
        dialog.removeSelected();
        EXPECT_EQ(toolbar->layout().size(), original.size() - 1);
        dialog.reset();
        EXPECT_EQ(toolbar->layout(), original);
        lists[1]->setCurrentRow(0);
        dialog.removeSelected();
        lists[1]->setCurrentRow(0);
        dialog.moveSelected(1);
    }
    const ToolbarLayout customised = toolbar->layout();
    ASSERT_NE(customised, original);
    SaveToolbarLayout(context->registry(), "WAVEFORMS", customised);
    delete frame;
    frame = nullptr;
    context.reset();

    Start();
    EXPECT_EQ(frame->toolbar("WAVEFORMS")->layout(), customised);
    EXPECT_EQ(frame->toolbar("MAP")->layout(), cmd::DefaultToolbarLayout("MAP"));
}

}  // namespace
}  // namespace zel

namespace zel {
namespace {

TEST_F(MainFrameTest, DisplayPageWritesChangedColoursAndRedrawsWithThem) {
    Start();
    SettingsSheet sheet(*context, frame);
    auto* page = sheet.findChild<CWaveformsSetupPage*>();
    ASSERT_NE(page, nullptr);
    auto edits = page->findChildren<QLineEdit*>();
    auto names = page->findChildren<QComboBox*>();
    ASSERT_EQ(edits.size(), 4);
    EXPECT_EQ(edits[0]->text(), "0,0,127");
    EXPECT_EQ(names[0]->currentText(), "темно-синий");
    EXPECT_EQ(names[3]->currentText(), "серый");

    // Nothing changed: nothing is written.
    sheet.saveAll();
    EXPECT_FALSE(context->ini().hasKey("COLORS", "WAVEFORMS"));

    edits[0]->setText("1,2,3");
    names[1]->setCurrentIndex(7);
    Q_EMIT names[1]->activated(7);  // "желтый" fills its text
    EXPECT_EQ(edits[1]->text(), "255,255,0");
    edits[3]->setText("bad");  // not three numbers: the colour stays
    sheet.saveAll();
    EXPECT_EQ(context->ini().getString("COLORS", "WAVEFORMS"), "1,2,3");
    EXPECT_EQ(context->ini().getString("COLORS", "TRANSFORMS"), "255,255,0");
    EXPECT_EQ(context->ini().getString("COLORS", "BACKGROUND"), "192,192,192");
    EXPECT_EQ(frame->waveforms()->style().trace, QColor(1, 2, 3));

    page->restoreDefaults();
    EXPECT_EQ(edits[0]->text(), "0,0,127");

    // The working habits: pick mode that ends with each pick, kept for the next start.
    for (QCheckBox* box : page->findChildren<QCheckBox*>())
        if (box->text().startsWith("Режим отметки фаз")) box->setChecked(false);
    sheet.saveAll();
    EXPECT_FALSE(context->settings().pickModeStays);
    EXPECT_EQ(context->ini().getString("WAVEFORMS", "PICKMODESTAYS"), "0");
    EXPECT_FALSE(context->ini().hasKey("WAVEFORMS", "KEEPTRANSFORMATION"));
}

}  // namespace
}  // namespace zel
