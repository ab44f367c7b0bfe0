#pragma once
// "Список файлов волновых форм": the catalogued files of one station, newest first, optionally
// only those starting within a day range and only the channels selected for display; or, in
// the CSS variant, the wfdisc rows of the station.

#include <QDialog>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "data/Catalogue.h"
#include "data/StationModel.h"

class QCheckBox;
class QComboBox;
class QDateEdit;
class QTableWidget;

namespace zel {

class MessageSink;
namespace Db {
class Connection;
}

class CLoadFileFromDB : public QDialog {
    Q_OBJECT

  public:
    // connection: the working database, or the CSS one for the wfdisc variant.
    CLoadFileFromDB(Db::Connection& connection, bool wfdisc, const std::vector<Station>& stations,
                    MessageSink& messages, QWidget* parent = nullptr);

    // Column widths as stored under FILESLIST/Columns Width: comma-separated pixels; a width of 0
    // or less, or a missing entry, keeps the built-in width.
    void setColumnWidths(const std::string& text);
    std::string columnWidths() const;

    void setStation(int index);
    // Whole days from the first to the last (UTC, epoch seconds of any time in those days).
    void setDayRange(std::optional<std::pair<double, double>> range);

    const std::vector<CatalogueFile>& files() const { return files_; }
    QTableWidget* table() const { return table_; }

  public Q_SLOTS:
    // Runs the query and fills the table; a database error is shown and leaves the list empty.
    void refresh();

  private:
    Db::Connection& connection_;
    bool wfdisc_;
    const std::vector<Station>& stations_;
    MessageSink& messages_;
    QComboBox* station_;
    QCheckBox* useRange_;
    QDateEdit* from_;
    QDateEdit* to_;
    QTableWidget* table_;
    std::vector<CatalogueFile> files_;
};

}  // namespace zel
