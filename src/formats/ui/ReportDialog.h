#pragma once
// The "Отчет" dialog: a time window, the phase-table and order switches, the report shown as HTML,
// saved as .htm or .txt, and printed.

#include <QDialog>
#include <optional>

#include "formats/EventReport.h"

class QCheckBox;
class QFontComboBox;
class QLineEdit;
class QTextBrowser;

namespace zel {

class Databases;
class MessageSink;

class CReportDlg : public QDialog {
    Q_OBJECT
  public:
    CReportDlg(Databases& databases, MessageSink& messages, std::string outDir, QWidget* parent = nullptr);
    // The interval the fields start with (the last 24 hours until set).
    void setInterval(double from, double to);

    QLineEdit* startEdit() const { return start_; }
    QLineEdit* endEdit() const { return end_; }
    QCheckBox* phasesCheck() const { return phases_; }
    QCheckBox* ascendingCheck() const { return ascending_; }
    QTextBrowser* view() const { return view_; }
    const std::optional<Report>& shown() const { return shown_; }

    // "Показать": reads the events of the window and shows them. False when nothing is shown.
    bool showReport();
    // "Сохранить" after the file dialog: writes the shown report, with the outcome as a message.
    void saveTo(const std::string& path);

  private:
    void save();
    void print();

    Databases& databases_;
    MessageSink& messages_;
    std::string outDir_;
    QLineEdit* start_ = nullptr;
    QLineEdit* end_ = nullptr;
    QCheckBox* phases_ = nullptr;
    QCheckBox* ascending_ = nullptr;
    QFontComboBox* font_ = nullptr;
    QTextBrowser* view_ = nullptr;
    std::optional<Report> shown_;
};

}  // namespace zel
