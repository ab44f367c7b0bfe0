#pragma once
// The main frame as the windows and commands of every subsystem see it: one action per command
// id, the menus by id, the four permanent windows, the toolbars and the status bar. The frame
// implements it; the subsystems install their commands through it and never include the frame.

#include <QAction>
#include <QMainWindow>
#include <functional>
#include <string>
#include <vector>

#include "widgets/Commands.h"

class QComboBox;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QObject;
class QWidget;

namespace zel {

class CZELStatusBar;
class CZELToolbar;
class waveform;

class Workbench {
  public:
    enum Child { kMap = 0, kWaveforms = 1, kPhaseList = 2, kDsp = 3 };

    virtual ~Workbench() = default;

    virtual QMainWindow& mainWindow() = 0;
    // The action of a command id (created disabled until some window binds it).
    virtual QAction* action(int commandId) = 0;
    virtual QMenu* menu(cmd::Menu which) = 0;
    virtual QMdiArea* mdiArea() const = 0;
    virtual QMdiSubWindow* child(Child which) const = 0;
    // Puts a permanent window's real content in place of what it showed so far.
    virtual void setChildWidget(Child which, QWidget* content) = 0;
    virtual void activateChild(Child which, bool maximize) = 0;
    virtual CZELToolbar* toolbar(const std::string& name) const = 0;
    virtual QComboBox* groupCombo() const = 0;
    virtual waveform* waveforms() const = 0;
    virtual CZELStatusBar* zelStatusBar() const = 0;
    virtual void showStatusMessage(const QString& text) = 0;

    // The one way a command is made to work: its action enabled and triggering the handler, which
    // lives as long as the receiver.
    template <typename Handler>
    QAction* bind(int commandId, QObject* receiver, Handler handler) {
        QAction* a = action(commandId);
        a->setEnabled(true);
        QObject::connect(a, &QAction::triggered, receiver, std::move(handler));
        return a;
    }
    // The same for an on/off command; the handler gets the new state.
    template <typename Handler>
    QAction* bindToggle(int commandId, QObject* receiver, Handler handler) {
        QAction* a = action(commandId);
        a->setEnabled(true);
        a->setCheckable(true);
        QObject::connect(a, &QAction::toggled, receiver, std::move(handler));
        return a;
    }
    // Adds the actions to a menu of the menu bar, each once.
    void addToMenu(cmd::Menu which, const std::vector<QAction*>& actions);

    // Saves the phase list when the analyst agrees on exit (false: not saved); set by the event
    // commands.
    std::function<bool()> savePhaseList;
};

}  // namespace zel
