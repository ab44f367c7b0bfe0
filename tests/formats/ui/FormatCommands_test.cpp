// The report dialog and the CSS commands in the main frame of a fresh install: a saved event is
// shown and saved as text, its tables are written, and the CSS copy of a save reports a missing
// CSS database instead of claiming success.

#include "formats/ui/FormatCommands.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QTextBrowser>
#include <QTreeWidget>

#include "app/ui/MainFrame.h"
#include "base/TimeConversions.h"
#include "events/PhaseCatalogue.h"
#include "events/ZELPhases.h"
#include "events/ui/EventCommands.h"
#include "events/ui/EventDialogs.h"
#include "events/ui/PhaseListSetup.h"
#include "formats/CssDatabase.h"
#include "formats/ui/ReportDialog.h"
#include "session/AppContext.h"
#include "support/TestAppPaths.h"
#include "widgets/Commands.h"

namespace zel {
namespace {

constexpr double kT0 = 1615896000.0;  // 2021-03-16 12:00:00 UTC

TEST(FormatCommands, ReportAndTablesOfASavedEventThroughTheFrame) {
    test::TempDir dir;
    RecordingMessageSink messages;
    AppContext context({}, test::TestAppPaths(dir), messages);
    context.loadConfiguration();
    auto frame = std::make_unique<CMainFrame>(context);
    context.openDatabases();
    InstallPhaseList(*frame, context);
    EventCommands* events = InstallEventCommands(*frame, context);
    FormatCommands* commands = InstallFormatCommands(*frame, context, events);
    for (int id : {cmd::kEventReport, cmd::kWriteCssTables, cmd::kWriteStoredCssTables})
        EXPECT_TRUE(frame->action(id)->isEnabled()) << id;
    ASSERT_TRUE(events->afterSave);
    ASSERT_TRUE(events->afterDelete);

    context.stations().resize(1);
    context.stations()[0].code = "OBN";
    context.stations()[0].slots[0].channel = "SHZ";
    events->store().NewEvent("E<1>", "Камчатка & co");
    SEISMIC_PHASE pick;
    pick.phaseIndex = context.session().catalogue().IndexOf("P");
    pick.firstMotion = 0;
    SetPickTime(pick, kT0 + 100.0);
    context.session().phases().Add(pick);
    context.settings().saveToCssDb = true;  // but this install has no CSS database
    EventListRow row;
    row.eventId = context.session().event().eventId;
    EXPECT_TRUE(events->saveInto(row));
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_EQ(messages.messages()[0].text, kCssNotConnected);
    messages.clear();

    CReportDlg report(context.databases(), messages, dir.path().string());
    report.startEdit()->setText("32/03/2021");
    EXPECT_FALSE(report.showReport());
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_EQ(messages.messages()[0].text, kReportBadTime);
    messages.clear();
    report.saveTo(dir.file("early.txt"));
    EXPECT_EQ(messages.messages().at(0).text, kReportNotShown);
    messages.clear();

    report.startEdit()->setText("16/03/2021 12:00:00");
    report.endEdit()->setText("16/03/2021 13:00:00");
    report.phasesCheck()->setChecked(true);
    ASSERT_TRUE(report.showReport());
    const QString shown = report.view()->toPlainText();
    EXPECT_TRUE(shown.contains("E<1>")) << shown.toStdString();
    EXPECT_TRUE(shown.contains("Камчатка & co"));
    EXPECT_TRUE(shown.contains("OBN"));
    report.resize(800, 400);
    report.grab().save("/tmp/zel_event_report.png");  // for looking at
    report.saveTo(dir.file("report.txt"));
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_EQ(messages.messages()[0].text, "Успешное сохранение отчета в файл " + dir.file("report.txt"));
    EXPECT_NE(test::ReadFile(dir.file("report.txt")).find("E<1>"), std::string::npos);
    messages.clear();

    commands->writeCssTablesTo(42, dir.path().string());
    EXPECT_TRUE(messages.messages().empty());
    const std::string arrival = test::ReadFile(dir.file("42.Arrival"));
    ASSERT_EQ(arrival.size(), 224u);  // one line of 223 characters
    EXPECT_EQ(arrival.substr(165, 2), "c.");
    for (const char* table : {"Origin", "Assoc", "Stamag", "Amplitude"})
        EXPECT_TRUE(std::filesystem::exists(dir.file(std::string("42.") + table))) << table;

    const std::string stored = dir.file("stored");
    std::filesystem::create_directory(stored);
    commands->writeStoredCssTablesTo(kT0, kT0 + 3600.0, stored);
    EXPECT_TRUE(messages.messages().empty());
    const std::string name = std::to_string(context.session().event().orid) + ".Origin";
    EXPECT_EQ(test::ReadFile(stored + "/" + name).size(), 238u);
    commands->writeStoredCssTablesTo(kT0, kT0 + 3600.0, dir.file("missing"));
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_EQ(messages.messages()[0].text.rfind("Ошибка открытия файла: ", 0), 0u);
    messages.clear();

    // Deleting the event in the selection dialog tells its orid on, for the CSS copy.
    CSelectPhaseGroup select(events->store(), context.session().event(), messages, nullptr, CSelectPhaseGroup::kLoad);
    std::int64_t told = -1;
    select.onDeleted = [&told](std::int64_t orid) { told = orid; };
    ASSERT_EQ(select.list()->topLevelItemCount(), 1);
    select.list()->setCurrentItem(select.list()->topLevelItem(0));
    messages.queueAnswer(MessageAnswer::Yes);
    select.deleteSelected();
    EXPECT_EQ(told, context.session().event().orid);
}

}  // namespace
}  // namespace zel
