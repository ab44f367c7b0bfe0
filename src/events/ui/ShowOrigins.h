#pragma once
// The processed-events window: a modeless list of the stored events, newest first; a double
// click loads one. Whether it is shown at start follows SHOWORIGINS/SHOWWINDOW of ZEL.ini.

#include <QDialog>
#include <functional>
#include <string>
#include <vector>

#include "events/EventStore.h"

class QTreeWidget;

namespace zel {

class MessageSink;
class PrivateProfile;

class CShowOrigins : public QDialog {
    Q_OBJECT
  public:
    CShowOrigins(EventStore& store, MessageSink& messages, PrivateProfile* ini, QWidget* parent = nullptr);

    QTreeWidget* list() const { return list_; }
    // Shows the window and remembers that it is open.
    void showWindow();
    void refresh();

    // Called with the id of a double-clicked event.
    std::function<void(const std::string& eventId)> onLoad;

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void remember(bool shown);

    EventStore& store_;
    MessageSink& messages_;
    PrivateProfile* ini_;
    QTreeWidget* list_ = nullptr;
    std::vector<EventListRow> rows_;
};

}  // namespace zel
