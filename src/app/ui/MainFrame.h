#pragma once
// The main frame: the four permanent windows in an MDI area, menus, toolbars and status bar.

#include <QMainWindow>
#include <array>
#include <functional>
#include <map>

class QComboBox;
class QMdiArea;
class QMdiSubWindow;
class QMenu;

namespace zel {

class AppContext;
class CZELStatusBar;
class CZELToolbar;
class waveform;

class CMainFrame : public QMainWindow {
    Q_OBJECT
  public:
    enum Child { kMap = 0, kWaveforms = 1, kPhaseList = 2, kDsp = 3 };

    explicit CMainFrame(AppContext& context, QWidget* parent = nullptr);
    ~CMainFrame() override;

    // The frame of this run; the permanent windows reach each other through it.
    static CMainFrame* instance();

    QMdiArea* mdiArea() const { return mdi_; }
    QMdiSubWindow* child(Child which) const { return children_[which]; }
    CZELToolbar* toolbar(const std::string& name) const;
    QComboBox* groupCombo() const { return groupCombo_; }
    waveform* waveforms() const { return waveforms_; }
    CZELStatusBar* zelStatusBar() const { return statusBar_; }
    // The action of a command id (created disabled until some window handles it).
    QAction* action(int commandId);

    // Puts a permanent window's real content in place of what it showed so far.
    void setChildWidget(Child which, QWidget* content);
    void activateChild(Child which, bool maximize);
    void tileHorizontally();
    void tileVertically();
    void customizeToolbar(const std::string& name);

    // Set by the phase list once it exists: is it empty, and save it (false: not saved).
    std::function<bool()> phaseListEmpty = [] { return true; };
    std::function<bool()> savePhaseList;

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

    AppContext& context_;
    QMdiArea* mdi_ = nullptr;
    std::array<QMdiSubWindow*, 4> children_{};
    std::map<int, QAction*> actions_;
    std::vector<CZELToolbar*> toolbars_;
    QComboBox* groupCombo_ = nullptr;
    CZELStatusBar* statusBar_ = nullptr;
    waveform* waveforms_ = nullptr;
};

}  // namespace zel
