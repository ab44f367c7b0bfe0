// The help window: the shipped pages of both languages are the same set and have no broken link or
// picture, the English ones are shown in the English interface, the built pages list every
// command with its keys, every formula function and every zelbatch command, and F1 opens the page
// of the window the analyst works in.

#include "widgets/HelpWindow.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QKeySequence>
#include <QMdiSubWindow>
#include <QRegularExpression>
#include <cstdlib>

#include "config/InterfaceLanguage.h"
#include "dsp/FormulaHelp.h"
#include "support/ui/DemoFrameTest.h"
#include "widgets/Commands.h"

namespace zel {
namespace {

const QString kHelp = QString(ZEL_RESOURCES_DIR) + "/help";

TEST(HelpWindow, ShippedPagesLinkOnlyToWhatExistsAndBuiltPagesCoverTheProgram) {
    EXPECT_FALSE(QDir(kHelp).entryList({"*.html"}).isEmpty());
    EXPECT_EQ(QDir(kHelp + "/en").entryList({"*.html"}), QDir(kHelp).entryList({"*.html"}));
    static const QRegularExpression reference("(href|src)=\"([^\"#]*)(#[^\"]*)?\"");
    struct RussianAgain {
        ~RussianAgain() { SetCurrentInterfaceLanguage(InterfaceLanguage::Russian); }
    } restore;
    for (const auto& [language, folder] : {std::pair{InterfaceLanguage::Russian, kHelp},
                                           std::pair{InterfaceLanguage::English, kHelp + "/en"}}) {
        SetCurrentInterfaceLanguage(language);
        HelpBrowser browser(kHelp, ZEL_BATCH);
        EXPECT_EQ(browser.searchPaths(), QStringList{folder});
        for (const QString& page : QDir(folder).entryList({"*.html"})) {
            QFile file(folder + "/" + page);
            ASSERT_TRUE(file.open(QIODevice::ReadOnly));
            const QString html = QString::fromUtf8(file.readAll());
            browser.setSource(QUrl(page));
            for (auto it = reference.globalMatch(html); it.hasNext();) {
                const QRegularExpressionMatch match = it.next();
                const QString target = match.captured(2);
                if (target.isEmpty() || target.startsWith("http")) continue;
                // A picture as the shown page finds it, not only as a file beside it.
                if (match.captured(1) == "src") {
                    EXPECT_FALSE(
                        browser.document()->resource(QTextDocument::ImageResource, QUrl(target)).isNull())
                        << folder.toStdString() << "/" << page.toStdString() << " -> " << target.toStdString();
                }
                if (target.startsWith("zel:"))
                    EXPECT_FALSE(
                        browser.loadResource(QTextDocument::HtmlResource, QUrl(target)).toString().isEmpty())
                        << page.toStdString() << " -> " << target.toStdString();
                else
                    EXPECT_TRUE(QFile::exists(folder + "/" + target))
                        << folder.toStdString() << "/" << page.toStdString() << " -> " << target.toStdString();
            }
        }
    }
    SetCurrentInterfaceLanguage(InterfaceLanguage::Russian);
    HelpBrowser browser(kHelp, ZEL_BATCH);

    const QString commands = QString::fromStdString(CommandsHelpHtml());
    for (const cmd::Command& c : cmd::AllCommands()) {
        if (!*c.shortcut) continue;
        const QString keys = QKeySequence(QString::fromUtf8(c.shortcut)).toString(QKeySequence::NativeText);
        EXPECT_TRUE(commands.contains("<b>" + keys.toHtmlEscaped() + "</b>")) << c.shortcut;
    }
    const QString formulas = QString::fromStdString(FormulasHelpHtml());
    for (const FormulaButton& b : FormulaFunctionButtons())
        EXPECT_TRUE(formulas.contains(QString::fromUtf8(b.insert.data(), int(b.insert.size())).toHtmlEscaped()))
            << b.name;
    // zelbatch's page is its own --help, each command's included.
    const QString batch = browser.loadResource(QTextDocument::HtmlResource, QUrl("zel:zelbatch")).toString();
    for (const char* command : {"stations", "read", "filter", "detect", "locate", "export", "scan"})
        EXPECT_TRUE(batch.contains(QString("zelbatch ") + command + " ")) << command;
}

class HelpKeyTest : public test::DemoFrameTest {};

TEST_F(HelpKeyTest, F1OpensThePageOfTheActiveWindow) {
    openDemoFrame();
    const std::pair<CMainFrame::Child, QString> windows[] = {{CMainFrame::kWaveforms, "road.html#waveforms"},
                                                             {CMainFrame::kPhaseList, "road.html#phases"},
                                                             {CMainFrame::kDsp, "zel:formulas"},
                                                             {CMainFrame::kMap, "road.html#map"}};
    HelpWindow* help = nullptr;
    for (const auto& [child, page] : windows) {
        frame->activateChild(child, false);
        QApplication::processEvents();
        frame->action(cmd::kHelpContents)->trigger();
        help = frame->findChild<HelpWindow*>("HelpWindow");
        ASSERT_NE(help, nullptr);
        EXPECT_EQ(help->browser()->source().toString(), page);
        EXPECT_FALSE(help->browser()->toPlainText().isEmpty()) << page.toStdString();
        if (const char* shots = std::getenv("ZEL_SHOT_DIR"))
            help->grab().save(QString(shots) + "/help-" + QString(page).replace(QRegularExpression("[^a-z]"), "-") + ".png");
    }
    EXPECT_EQ(frame->findChildren<HelpWindow*>().size(), 1);  // one window, brought forward each time
    EXPECT_EQ(frame->action(cmd::kHelpContents)->shortcut(), QKeySequence(Qt::Key_F1));
}

}  // namespace
}  // namespace zel
