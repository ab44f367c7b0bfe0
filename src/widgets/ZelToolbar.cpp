#include "widgets/ZelToolbar.h"

#include <QAction>
#include <QWidgetAction>

#include "base/PrivateProfile.h"
#include "widgets/Commands.h"

namespace zel {

CZELToolbar::CZELToolbar(const std::string& name, const QString& title, ActionLookup actions, QWidget* parent)
    : QToolBar(title, parent), name_(name), actions_(std::move(actions)) {
    setObjectName(QString::fromStdString(name));
    setIconSize(QSize(20, 20));
}

void CZELToolbar::load(const PrivateProfile& registry) {
    offered_ = cmd::DefaultToolbarLayout(name_);
    applyLayout(LoadToolbarLayout(registry, name_, offered_).value_or(offered_));
}

void CZELToolbar::applyLayout(const ToolbarLayout& layout) {
    for (QAction* a : actions()) removeAction(a);
    for (int id : layout) {
        if (id == 0) {
            addSeparator();
        } else if (QAction* action = actions_(id)) {
            addAction(action);
        }
    }
    if (trailing_) addAction(trailing_);
    layout_ = layout;
    adjustSize();
    Q_EMIT layoutChanged();
}

void CZELToolbar::setTrailingWidget(QWidget* widget) {
    if (!trailing_) trailing_ = new QWidgetAction(this);
    trailing_->setDefaultWidget(widget);
    applyLayout(layout_);
}

}  // namespace zel
