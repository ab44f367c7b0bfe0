#pragma once
// A toolbar whose buttons are command actions laid out by a stored, customisable layout.

#include <QToolBar>
#include <functional>
#include <string>

#include "config/ToolbarLayout.h"

class QAction;
class QWidgetAction;

namespace zel {

class PrivateProfile;

class CZELToolbar : public QToolBar {
    Q_OBJECT
  public:
    using ActionLookup = std::function<QAction*(int commandId)>;

    CZELToolbar(const std::string& name, const QString& title, ActionLookup actions, QWidget* parent);

    const std::string& name() const { return name_; }
    // Takes the built-in buttons as the ones offered to the customisation dialog, then restores
    // the layout saved in the registry store, if any.
    void load(const PrivateProfile& registry);
    void applyLayout(const ToolbarLayout& layout);
    const ToolbarLayout& layout() const { return layout_; }
    const ToolbarLayout& offeredButtons() const { return offered_; }
    // A widget that stays after the buttons whatever the layout (the station-group box).
    void setTrailingWidget(QWidget* widget);

  Q_SIGNALS:
    void layoutChanged();

  private:
    std::string name_;
    ActionLookup actions_;
    ToolbarLayout offered_;
    ToolbarLayout layout_;
    QWidgetAction* trailing_ = nullptr;
};

}  // namespace zel
