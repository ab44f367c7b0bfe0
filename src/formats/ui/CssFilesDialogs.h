#pragma once
// The two dialogs of the CSS text-table commands: the orid and folder for the current event, and
// the time range and folder for the stored events.

#include <QDialog>
#include <optional>
#include <string>

class QFormLayout;
class QLineEdit;

namespace zel {

class MessageSink;

// A folder field with a "..." button that opens the folder chooser.
QLineEdit* AddFolderRow(QDialog& dialog, QFormLayout& form, const std::string& folder);

class CCssFilesDlg : public QDialog {
    Q_OBJECT
  public:
    CCssFilesDlg(long long orid, const std::string& folder, MessageSink& messages, QWidget* parent = nullptr);
    QLineEdit* oridEdit() const { return orid_; }
    QLineEdit* folderEdit() const { return folder_; }
    long long orid() const;
    std::string folder() const;
    void accept() override;

  private:
    MessageSink& messages_;
    QLineEdit* orid_ = nullptr;
    QLineEdit* folder_ = nullptr;
};

class CCssRangeDlg : public QDialog {
    Q_OBJECT
  public:
    CCssRangeDlg(double from, double to, const std::string& folder, MessageSink& messages,
                 QWidget* parent = nullptr);
    QLineEdit* fromEdit() const { return from_; }
    QLineEdit* toEdit() const { return to_; }
    QLineEdit* folderEdit() const { return folder_; }
    // Valid once accepted.
    double from() const { return fromTime_; }
    double to() const { return toTime_; }
    std::string folder() const;
    void accept() override;

  private:
    MessageSink& messages_;
    QLineEdit* from_ = nullptr;
    QLineEdit* to_ = nullptr;
    QLineEdit* folder_ = nullptr;
    double fromTime_ = 0, toTime_ = 0;
};

}  // namespace zel
