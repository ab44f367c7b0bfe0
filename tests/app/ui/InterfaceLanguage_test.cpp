// One language at a time: every menu, toolbar, window, dialog and message the demo frame can reach
// offscreen is walked in each interface language. The English interface shows no Cyrillic; the
// Russian one no English word beyond codes (all capitals), units and names kept in kAllowedLatin.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QFontComboBox>
#include <QFontDatabase>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabBar>
#include <QTextDocumentFragment>
#include <QTextEdit>
#include <QTimer>
#include <QToolBar>
#include <set>

#include "base/ZelError.h"
#include "dsp/FormulaHelp.h"
#include "events/PhaseCatalogue.h"
#include "i18n/InterfaceTranslation.h"
#include "support/ui/DemoFrameTest.h"
#include "wave/ui/waveform.h"
#include "widgets/Commands.h"

namespace zel {
namespace {

// English words the Russian interface keeps: names of programs, formats, models and methods, and
// the units and identifiers the analyst types. Phase names, formula function names and font
// families are added from their own tables.
const std::set<QString> kAllowedLatin = {
    "ZEL",     "Windows",  "Quakegrapher", "English",  "Qt",      "Teleseismic", "Regional", "Local",
    "Calib",   "Calper",   "Response",     "Hz",       "km",      "mb",          "ms",       "Ms",
    "ML",      "Mw",       "MPSP",         "MLH",      "MLV",     "Pn",          "Pg",       "Sn",
    "Sg",      "Lg",       "Rg",           "PKP",      "PcP",     "ScS",         "sP",       "pP",
    "sS",      "dB",       "log",          "max",      "min",     "mseed",       "MiniSEED", "StationXML",
    "QuakeML", "Nordic",   "wfdisc",       "arrival",  "origin",  "assoc",       "lastid",   "TEND",
    "ini",     "txt",      "html",         "htm",      "csv",     "ps",          "png",      "pdf",
    "svg",     "sac",      "loq",          "zelbatch", "LANG",    "Butterworth", "Wood",     "Anderson",
    "Kirnos",  "Vegik",    "Hilbert",      "Hann",     "Hanning", "Hamming",     "Fourier",  "Flinn",
    "Engdahl", "Jeffreys", "Bullen",       "iasp",     "ak",      "prn",         "dsp",      "fk",
    "ZELDSP",  "SQLite",   "PostgreSQL",   "OK",       "Ok",      "EventList",   "Mb",       "Mcoda",
    "dx",      "wks",      "arr",          "dat",      "bms",     "wfd",         "isc",      "xml",
    "qml",     "out",      "Dec",          "Nov",      "Jan",     "Feb",         "Mar",      "Apr",
    "May",     "Jun",      "Jul",          "Aug",      "Sep",     "Oct",         "Ctrl",     "Shift",
    "Alt",
};

// Texts the Russian interface has in English as its own: captions and labels it was given so,
// and the English help lines of formula functions.
const std::set<QString> kEnglishOfTheRussianInterface = {
    "About ZEL(mfc)",
    "Get Arrivals",
    "All files (*)",
    "Out Files (*.out)",
    "Emerg.",
    "Imp.",
    "Weak",
    "None",
    "Up",
    "Dn",
    "wfd[isc] files (*.wfd *.wfdisc)",
};

bool HasCyrillic(const QString& text) {
    for (QChar c : text)
        if (c.unicode() >= 0x0400 && c.unicode() <= 0x04FF) return true;
    return false;
}

struct Allowed {
    std::set<QString> words = kAllowedLatin;
    std::set<QString> texts = kEnglishOfTheRussianInterface;

    explicit Allowed(const PhaseCatalogue& phases) {
        for (int i = 0; i < phases.Count(); ++i) words.insert(QString::fromStdString(phases.Name(i)));
        for (const auto& table : {FormulaFunctionButtons(), FormulaOtherButtons()})
            for (const FormulaButton& b : table) {
                words.insert(QString::fromUtf8(b.name.data(), static_cast<int>(b.name.size())));
                texts.insert(QString::fromUtf8(b.helpText.data(), static_cast<int>(b.helpText.size())));
            }
        for (const QString& family : QFontDatabase::families())
            for (const QString& w : family.split(' ')) words.insert(w);
    }

    // The Latin words of a Russian text that are neither codes nor allowed names.
    QStringList foreignWords(const QString& text) const {
        static const QRegularExpression word(R"([A-Za-z][A-Za-z]+)"), path(R"((/[^\s'"]+)+)");
        QStringList foreign;
        if (texts.count(text)) return foreign;
        // File paths are the machine's.
        const QString words = QString(text).remove(path);
        for (auto it = word.globalMatch(words); it.hasNext();) {
            const QString w = it.next().captured();
            if (w == w.toUpper() || words.count(w)) continue;
            foreign << w;
        }
        return foreign;
    }
};

class TextWalk {
  public:
    // A document's text (a report, a help page) is checked in English only: in Russian its
    // names, file names and codes are data, not interface.
    void add(const QString& where, QString text, bool document = false) {
        if (!text.contains("&&")) text.remove('&');
        if (!text.trimmed().isEmpty()) (document ? documents_ : texts_).insert({text, where});
    }

    void addActions(const QString& where, const QList<QAction*>& actions) {
        for (QAction* a : actions) {
            add(where + " action", a->text());
            add(where + " tooltip", a->toolTip());
            add(where + " status tip", a->statusTip());
            if (a->menu()) addActions(where + "/" + a->text(), a->menu()->actions());
        }
    }

    // Every text the analyst can read in a window.
    void addWindow(QWidget* window) {
        const QString where =
            window->metaObject()->className() + QString(" \"") + window->windowTitle() + "\"";
        add(where, window->windowTitle());
        QList<QWidget*> widgets = window->findChildren<QWidget*>();
        widgets.prepend(window);
        for (QWidget* w : widgets) {
            if (w != window && !w->isVisibleTo(window)) continue;
            add(where + " tooltip", w->toolTip());
            if (auto* label = qobject_cast<QLabel*>(w))
                add(where + " label", QTextDocumentFragment::fromHtml(label->text()).toPlainText());
            if (auto* button = qobject_cast<QAbstractButton*>(w)) add(where + " button", button->text());
            if (auto* group = qobject_cast<QGroupBox*>(w)) add(where + " group", group->title());
            if (auto* edit = qobject_cast<QLineEdit*>(w))
                add(where + " placeholder", edit->placeholderText());
            // The file dialog's folder and font lists are the machine's, not the interface's.
            if (w->objectName() == "lookInCombo" || qobject_cast<QFontComboBox*>(w)) continue;
            if (auto* tabs = qobject_cast<QTabBar*>(w))
                for (int i = 0; i < tabs->count(); ++i) add(where + " tab", tabs->tabText(i));
            if (auto* combo = qobject_cast<QComboBox*>(w))
                for (int i = 0; i < combo->count(); ++i) add(where + " choice", combo->itemText(i));
            if (auto* header = qobject_cast<QHeaderView*>(w); header && header->model())
                for (int i = 0; i < header->count(); ++i)
                    add(where + " column", header->model()->headerData(i, header->orientation()).toString());
            if (auto* bar = qobject_cast<QMenuBar*>(w)) addActions(where + " menu", bar->actions());
            if (auto* toolbar = qobject_cast<QToolBar*>(w))
                addActions(where + " toolbar", toolbar->actions());
            if (auto* text = qobject_cast<QTextEdit*>(w)) add(where + " document", text->toPlainText(), true);
            if (auto* text = qobject_cast<QPlainTextEdit*>(w))
                add(where + " document", text->toPlainText(), true);
        }
        for (QMenu* menu : window->findChildren<QMenu*>()) addActions(where + " menu", menu->actions());
    }

    // What breaks the language, one line per text with where it was seen.
    std::string offences(InterfaceLanguage language, const Allowed& allowed) const {
        std::string report;
        auto note = [&](const QString& where, const QString& text, const QString& why) {
            report += (where + ": " + text.left(160).replace('\n', ' ') + why + "\n").toStdString();
        };
        if (language == InterfaceLanguage::English) {
            for (const auto* set : {&texts_, &documents_})
                for (const auto& [text, where] : *set)
                    if (HasCyrillic(text)) note(where, text, {});
            return report;
        }
        for (const auto& [text, where] : texts_)
            if (const QStringList foreign = allowed.foreignWords(text); !foreign.isEmpty())
                note(where, text, " [" + foreign.join(' ') + "]");
        return report;
    }

    std::size_t size() const { return texts_.size(); }

  private:
    std::set<std::pair<QString, QString>> texts_, documents_;
};

// Commands left out of the walk: they end the run or start another program.
const std::set<int> kNotWalked = {cmd::kExit};

class InterfaceWalk : public test::DemoFrameTest, public ::testing::WithParamInterface<InterfaceLanguage> {};

TEST_P(InterfaceWalk, EveryMenuWindowDialogAndMessageSpeaksOnlyTheInterfaceLanguage) {
    const InterfaceLanguage language = GetParam();
    const InterfaceTranslation translation(language, TranslatedProgram::Workstation);
    messages.fallback = MessageAnswer::Cancel;
    openDemoFrame();
    if (const QString dir = qEnvironmentVariable("ZEL_SHOT_DIR"); !dir.isEmpty())
        frame->grab().save(dir + (language == InterfaceLanguage::English ? "/language-frame-en.png"
                                                                         : "/language-frame-ru.png"));

    TextWalk walk;
    int dialogs = 0;
    // A dialog a command opens is read and closed; one it opens in turn is met by the next tick.
    // ZEL_SHOT_DIR keeps a picture of every dialog and window met, of the frame and a message box.
    const QString shots = qEnvironmentVariable("ZEL_SHOT_DIR");
    const QString suffix = language == InterfaceLanguage::English ? "-en.png" : "-ru.png";
    QTimer poll;
    poll.setInterval(5);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal) return;
        walk.addWindow(modal);
        if (!shots.isEmpty())
            modal->grab().save(QString("%1/dialog-%2-%3%4")
                                   .arg(shots)
                                   .arg(dialogs)
                                   .arg(modal->metaObject()->className(), suffix));
        ++dialogs;
        if (auto* dialog = qobject_cast<QDialog*>(modal))
            dialog->done(QDialog::Rejected);
        else
            modal->close();
    });
    poll.start();

    // Each menu as the analyst opens it: its window brought forward, every pane active, so that
    // the commands of the panes are enabled.
    std::set<QAction*> done;
    for (QAction* top : frame->menuBar()->actions()) {
        if (!top->menu()) continue;
        QList<QMenu*> menus = top->menu()->findChildren<QMenu*>();
        menus.prepend(top->menu());
        for (QMenu* menu : menus)
            for (QAction* a : menu->actions()) {
                if (a->menu() || a->isSeparator() || !done.insert(a).second) continue;
                bool known = false;
                const int id = a->data().toInt(&known);
                if (known && kNotWalked.count(id)) continue;
                Q_EMIT top->menu()->aboutToShow();
                frame->waveforms()->activateAll();
                QApplication::processEvents();
                if (!a->isEnabled()) continue;
                const QWidgetList before = QApplication::topLevelWidgets();
                a->trigger();
                QApplication::processEvents();
                for (QWidget* w : QApplication::topLevelWidgets()) {
                    if (before.contains(w) || !w->isVisible() || w == frame) continue;
                    walk.addWindow(w);
                    if (!shots.isEmpty())
                        w->grab().save(shots + "/window-" + w->metaObject()->className() + suffix);
                    w->close();
                }
            }
    }
    poll.stop();
    walk.addWindow(frame);
    for (const Message& m : messages.messages()) {
        walk.add("message", QString::fromStdString(m.text));
        walk.add("message caption", QString::fromStdString(m.caption));
    }
    QMessageBox box(QMessageBox::Warning, "ZEL",
                    QString::fromStdString(Tr("Недопустимый номер месяца: %1").arg(13)),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    walk.addWindow(&box);
    if (!shots.isEmpty()) {
        box.show();
        box.grab().save(shots + "/language-message" + suffix);
    }

    EXPECT_GT(dialogs, 10) << "the walk met too few dialogs to speak for the interface";
    EXPECT_GT(walk.size(), 500u);
    const std::string offences = walk.offences(language, Allowed(context->session().catalogue()));
    EXPECT_TRUE(offences.empty()) << offences;
}

INSTANTIATE_TEST_SUITE_P(BothLanguages, InterfaceWalk,
                         ::testing::Values(InterfaceLanguage::Russian, InterfaceLanguage::English),
                         [](const auto& info) {
                             return info.param == InterfaceLanguage::English ? "English" : "Russian";
                         });

}  // namespace
}  // namespace zel
