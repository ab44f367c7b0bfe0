#pragma once
// The help window: the pages that ship with the program (the analyst's road with screenshots, the
// files read and written, the configuration keys) and the pages the program builds from itself,
// so that they never drift from it: every command with its keys (the command table), the formula
// functions (the formula buttons' texts) and zelbatch's own help. All of them speak the interface's
// language: the shipped English pages are the en/ folder of the help folder.

#include <QPointer>
#include <QString>
#include <QTextBrowser>
#include <QWidget>
#include <string>

namespace zel {

// "zel:commands", "zel:formulas" and "zel:zelbatch" name the built pages.
std::string CommandsHelpHtml();
std::string FormulasHelpHtml();

class HelpBrowser : public QTextBrowser {
    Q_OBJECT
  public:
    // `helpFolder`: the Russian pages (English ones in its en/); `zelbatch`: the program whose --help
    // texts make the zelbatch page (empty: not found).
    HelpBrowser(const QString& helpFolder, QString zelbatch, QWidget* parent = nullptr);
    QVariant loadResource(int type, const QUrl& name) override;

  private:
    // Run once: the page comes back with every visit (back and forward included).
    QString zelbatchHelp();
    QString zelbatch_;
    QString zelbatchPage_;
};

class HelpWindow : public QWidget {
    Q_OBJECT
  public:
    HelpWindow(const QString& helpFolder, const QString& zelbatch, QWidget* parent = nullptr);
    // "road.html#map", "zel:commands", ...
    void showPage(const QString& page);
    HelpBrowser* browser() const { return browser_; }

  private:
    HelpBrowser* browser_;
};

// The owner's help window (kept in `window`), opened or brought forward at a page.
HelpWindow* ShowHelp(QPointer<HelpWindow>& window, QWidget* owner, const QString& helpFolder,
                     const QString& zelbatch, const QString& page);

}  // namespace zel
