#include "widgets/HelpWindow.h"

#include <QAction>
#include <QDir>
#include <QKeySequence>
#include <QProcess>
#include <QRegularExpression>
#include <QToolBar>
#include <QUrl>
#include <QVBoxLayout>
#include <QtGlobal>
#include <set>

#include "config/InterfaceLanguage.h"
#include "dsp/FormulaHelp.h"
#include "widgets/Commands.h"

namespace zel {
namespace {

std::string Escaped(std::string_view text) {
    std::string out;
    for (char c : text) {
        if (c == '<') out += "&lt;";
        else if (c == '>') out += "&gt;";
        else if (c == '&') out += "&amp;";
        else out += c;
    }
    return out;
}

std::string Utf8(const QString& text) { return text.toStdString(); }

// The command table, the menus and the formula buttons keep their Russian texts: they are
// translated where shown.
std::string Translated(const char* id) { return Utf8(qtTrId(id)); }

std::string CommandName(const cmd::Command& c) {
    std::string text = Translated(c.text);
    if (text.rfind("(*)", 0) == 0) text.erase(0, 3);
    std::erase(text, '&');
    return text;
}

std::string Keys(const cmd::Command& c) {
    if (!*c.shortcut) return "";
    return QKeySequence(QString::fromUtf8(c.shortcut)).toString(QKeySequence::NativeText).toStdString();
}

void CommandRow(std::string& html, const cmd::Command& c) {
    html += "<tr><td>" + Escaped(CommandName(c)) + "</td><td><b>" + Escaped(Keys(c)) + "</b></td></tr>\n";
}

void MenuRows(std::string& html, const std::vector<cmd::MenuItem>& items, std::set<int>& listed, int depth) {
    for (const cmd::MenuItem& item : items) {
        if (item.title) {
            std::string title = Translated(item.title);
            std::erase(title, '&');
            html += "<tr><td colspan=2><i>" + std::string(depth * 2, ' ') + Escaped(title) + "</i></td></tr>\n";
            MenuRows(html, item.items, listed, depth + 1);
        } else if (const cmd::Command* c = item.id ? cmd::Find(item.id) : nullptr) {
            if (!*c->text) continue;
            CommandRow(html, *c);
            listed.insert(item.id);
        }
    }
}

const char* kPageHead = "<html><head><meta charset=\"utf-8\"></head><body>";

std::string ContentsLink() { return "<p><a href=\"index.html\">" + Utf8(qtTrId("Содержание")) + "</a></p>"; }

// The shipped pages of the interface's language: the English ones live in en/ beside the Russian.
QString LanguageFolder(const QString& helpFolder) {
    if (CurrentInterfaceLanguage() == InterfaceLanguage::English && QDir(helpFolder + "/en").exists())
        return helpFolder + "/en";
    return helpFolder;
}

}  // namespace

std::string CommandsHelpHtml() {
    const char* table = "<table border=1 cellspacing=0 cellpadding=3>\n";
    std::string html = kPageHead;
    html += ContentsLink() + "<h1>" + Utf8(qtTrId("Команды и клавиши")) + "</h1><p>" +
            Utf8(qtTrId("Клавиши без Ctrl действуют в окне волновых форм, на окне канала под указателем "
                        "мыши. Колесо мыши: масштаб времени вокруг указателя; Ctrl+колесо: масштаб "
                        "амплитуды; Shift+колесо: прокрутка окон; средняя кнопка: сдвиг по времени.")) +
            "</p><h2>" + Utf8(qtTrId("Окно волновых форм")) + "</h2>" + table;
    std::set<int> listed;
    MenuRows(html, cmd::WaveformMenu(), listed, 0);
    html += "</table><h2>" + Utf8(qtTrId("Остальные команды")) + "</h2>" + table;
    for (const cmd::Command& c : cmd::AllCommands())
        if (*c.text && !listed.count(c.id)) CommandRow(html, c);
    html += "</table></body></html>";
    return html;
}

std::string FormulasHelpHtml() {
    std::string html = kPageHead;
    html += ContentsLink() + "<h1>" + Utf8(qtTrId("Язык формул")) + "</h1><p>" +
            // The channel-by-name syntax is the formula's own and stays out of the text.
            Utf8(qtTrId("Формула вычисляет сигнал из каналов окна волновых форм (d3 — исходные отсчеты "
                        "окна D3, t3 — его преобразованный сигнал, %1 — канал по имени), окон процессора "
                        "обработки сигналов (w0 … w63), чисел и функций. Функции и операции:")
                     .arg("\"sta:chan\"")) +
            "</p><table border=1 cellspacing=0 cellpadding=3>\n";
    auto rows = [&](std::span<const FormulaButton> buttons) {
        for (const FormulaButton& b : buttons)
            html += "<tr><td><b>" + Escaped(b.insert) + "</b></td><td>" +
                    Escaped(Translated(std::string(b.helpText).c_str())) + "</td></tr>\n";
    };
    rows(FormulaFunctionButtons());
    rows(FormulaOtherButtons());
    html += "</table></body></html>";
    return html;
}

HelpBrowser::HelpBrowser(const QString& helpFolder, QString zelbatch, QWidget* parent)
    : QTextBrowser(parent), zelbatch_(std::move(zelbatch)) {
    setSearchPaths({LanguageFolder(helpFolder)});
    setOpenExternalLinks(true);
}

QString HelpBrowser::zelbatchHelp() {
    if (!zelbatchPage_.isEmpty()) return zelbatchPage_;
    auto run = [this](const QStringList& arguments) {
        QProcess process;
        // zelbatch's help in the language of this interface, whatever the locale says.
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("LC_ALL", CurrentInterfaceLanguage() == InterfaceLanguage::English ? "en_US.UTF-8"
                                                                                              : "ru_RU.UTF-8");
        process.setProcessEnvironment(environment);
        process.start(zelbatch_, arguments);
        if (!process.waitForFinished(5000)) {
            process.kill();
            return QString();
        }
        return QString::fromUtf8(process.readAllStandardOutput() + process.readAllStandardError());
    };
    const QString overview = zelbatch_.isEmpty() ? QString() : run({"--help"});
    if (overview.isEmpty()) return "<p>" + qtTrId("Программа zelbatch не найдена рядом с zel.") + "</p>";
    QString html = "<pre>" + overview.toHtmlEscaped() + "</pre>";
    // Each command of the overview's list, with its own help.
    static const QRegularExpression commandLine("^  ([a-z]+)  ", QRegularExpression::MultilineOption);
    for (auto it = commandLine.globalMatch(overview); it.hasNext();) {
        const QString command = it.next().captured(1);
        html += "<h2>zelbatch " + command + "</h2><pre>" + run({command, "--help"}).toHtmlEscaped() + "</pre>";
    }
    zelbatchPage_ = html;
    return html;
}

QVariant HelpBrowser::loadResource(int type, const QUrl& name) {
    if (name.scheme() != "zel") return QTextBrowser::loadResource(type, name);
    const QString page = name.path();
    // A shipped page or picture linked from a built page resolves against the zel: address.
    if (type != QTextDocument::HtmlResource || page.contains('.'))
        return QTextBrowser::loadResource(type, QUrl::fromLocalFile(QDir(searchPaths().value(0)).filePath(page)));
    if (page == "commands") return QString::fromStdString(CommandsHelpHtml());
    if (page == "formulas") return QString::fromStdString(FormulasHelpHtml());
    if (page == "zelbatch")
        return QString(kPageHead) + QString::fromStdString(ContentsLink()) + "<h1>zelbatch</h1><p>" +
               qtTrId("Обработка без экрана на тех же ZEL.ini и базах данных; те же правила, что в окнах.") +
               "</p>" + zelbatchHelp() + "</body></html>";
    return {};
}

HelpWindow::HelpWindow(const QString& helpFolder, const QString& zelbatch, QWidget* parent)
    : QWidget(parent, Qt::Window), browser_(new HelpBrowser(helpFolder, zelbatch, this)) {
    setWindowTitle(qtTrId("Справка ZEL"));
    setObjectName("HelpWindow");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* bar = new QToolBar(this);
    QAction* back = bar->addAction(qtTrId("Назад"), browser_, &QTextBrowser::backward);
    QAction* forward = bar->addAction(qtTrId("Вперед"), browser_, &QTextBrowser::forward);
    back->setShortcut(QKeySequence::Back);
    forward->setShortcut(QKeySequence::Forward);
    bar->addAction(qtTrId("Содержание"), this, [this] { showPage("index.html"); });
    connect(browser_, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward, &QAction::setEnabled);
    back->setEnabled(false);
    forward->setEnabled(false);
    layout->addWidget(bar);
    layout->addWidget(browser_);
    resize(900, 700);
}

void HelpWindow::showPage(const QString& page) { browser_->setSource(QUrl(page)); }

HelpWindow* ShowHelp(QPointer<HelpWindow>& window, QWidget* owner, const QString& helpFolder,
                     const QString& zelbatch, const QString& page) {
    if (!window) {
        window = new HelpWindow(helpFolder, zelbatch, owner);
        window->setAttribute(Qt::WA_DeleteOnClose);
    }
    window->showPage(page);
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

}  // namespace zel
