#pragma once
// "Get Arrivals": detections of a time window offered as picks, named and checked when they fit
// the predicted arrivals; the checked rows are added to the phase list on OK.

#include <QDialog>
#include <functional>
#include <vector>

#include "events/Detections.h"
#include "widgets/UtcDateTimeEdit.h"

class QDateTimeEdit;
class QTreeWidget;

namespace zel {

class MessageSink;

class CGetArrivalsDlg : public QDialog {
    Q_OBJECT
  public:
    // Reads the detections of [from, to] (epoch seconds); throws ZelError.
    using Reader = std::function<std::vector<DetectionRow>(double from, double to)>;

    CGetArrivalsDlg(Reader reader, MessageSink& messages, double from, double to, QWidget* parent = nullptr);

    UtcDateTimeEdit* fromEdit() const { return from_; }
    UtcDateTimeEdit* toEdit() const { return to_; }
    QTreeWidget* list() const { return list_; }

    // Reads the window of the two fields again.
    void find();
    // The rows the analyst left checked.
    std::vector<DetectionRow> checkedRows() const;

  private:
    Reader reader_;
    MessageSink& messages_;
    std::vector<DetectionRow> rows_;
    UtcDateTimeEdit* from_ = nullptr;
    UtcDateTimeEdit* to_ = nullptr;
    QTreeWidget* list_ = nullptr;
};

}  // namespace zel
