#pragma once
// The main frame: the four permanent windows in an MDI area, menus, toolbars and status bar.

#include <QMainWindow>
#include <QPointer>
#include <array>
#include <map>

#include "widgets/Workbench.h"

class QComboBox;
class QMdiArea;
class QMdiSubWindow;
class QMenu;

namespace zel {

class AppContext;
class CZELStatusBar;
class CZELToolbar;
class HelpWindow;
class waveform;

class CMainFrame : public QMainWindow, public Workbench {
    Q_OBJECT
  public:
    explicit CMainFrame(AppContext& context, QWidget* parent = nullptr);
    ~CMainFrame() override;

    QMainWindow& mainWindow() override { return *this; }
    QAction* action(int commandId) override;
    QMenu* menu(cmd::Menu which) override;
    QMdiArea* mdiArea() const override { return mdi_; }
    QMdiSubWindow* child(Child which) const override { return children_[which]; }
    void setChildWidget(Child which, QWidget* content) override;
    void activateChild(Child which, bool maximize) override;
    CZELToolbar* toolbar(const std::string& name) const override;
    QComboBox* groupCombo() const override { return groupCombo_; }
    waveform* waveforms() const override { return waveforms_; }
    CZELStatusBar* zelStatusBar() const override { return statusBar_; }
    void showStatusMessage(const QString& text) override;

    void tileHorizontally();
    void tileVertically();
    void customizeToolbar(const std::string& name);

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void createActions();
    void createMenus();
    void createToolbars();
    void createStatusBar();
    void createChildren();
    void createWaveformCommands();
    void tile(bool horizontal);
    void chooseFont();
    void openSettingsSheet();
    QMenu* dropDownMenu(int commandId);
    // Adds the entries, submenus and separators of a menu tree of the command table.
    void fillMenu(QMenu& menu, const std::vector<cmd::MenuItem>& items);

    AppContext& context_;
    QMdiArea* mdi_ = nullptr;
    std::array<QMdiSubWindow*, 4> children_{};
    QPointer<HelpWindow> help_;
    // F1: the help page of the window the analyst works in.
    void showHelpForActiveWindow();
    std::map<int, QAction*> actions_;
    std::map<cmd::Menu, QMenu*> menus_;
    std::vector<CZELToolbar*> toolbars_;
    QComboBox* groupCombo_ = nullptr;
    CZELStatusBar* statusBar_ = nullptr;
    waveform* waveforms_ = nullptr;
};

}  // namespace zel
