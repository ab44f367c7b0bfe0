#pragma once
// The phase list window: the picks of the current event as a 20-column table with a three-state
// check box per row, in-place editing of the measured values, header sorting, deletion, and the
// insert and edit dialogs. The table logic itself is in events/PhaseListTable.

#include <QAbstractTableModel>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

#include "events/PhaseListTable.h"

class QTableView;

namespace zel {

class CEditPhaseDlg;
class CInsertPhaseDlg;
class MessageSink;
class PhaseCatalogue;
class PrivateProfile;
class Session;
class ZELPhases;

// The rows in display order: list order after a rebuild, header order after a sort.
class PhaseListModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    PhaseListModel(ZELPhases& list, const PhaseCatalogue& catalogue, QObject* parent = nullptr);

    void setStations(const PhaseStations* stations);
    const PhaseStations* stations() const { return stations_; }
    void rebuild();
    void sortRows(int column, bool descending);
    SEISMIC_PHASE* pickAt(int row) const;
    int rowOf(const SEISMIC_PHASE* pick) const;
    void refreshRow(int row);
    // Removes the picks of these rows from the list and from the table.
    void removeRows(std::vector<int> rows);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

  Q_SIGNALS:
    void includedToggled(const zel::SEISMIC_PHASE& pick);
    void azimuthEdited();
    void pickRemoved(int station, int channel);

  private:
    // The rows point into the list; once it changed behind our back they are not touched again
    // until the rebuild that is then on its way.
    bool stale() const;

    ZELPhases& list_;
    const PhaseCatalogue& catalogue_;
    const PhaseStations* stations_ = nullptr;
    std::vector<SEISMIC_PHASE*> rows_;
    std::uint64_t revision_ = 0;
    mutable bool rebuildQueued_ = false;
};

class CPhasesWnd : public QWidget {
    Q_OBJECT
  public:
    // Shows the session's picks; tells the session when it changed them and rebuilds its rows
    // when others did.
    CPhasesWnd(Session& session, MessageSink& messages, QWidget* parent = nullptr);
    ~CPhasesWnd() override;

    // Station names for the first three columns and the insert dialog; may be null.
    void setStations(std::shared_ptr<const PhaseStations> stations);
    // Column widths live in this profile under PhaseList/Columns Width: restored now, saved when
    // the window goes.
    void setProfile(PrivateProfile* profile);

    QTableView* table() const { return table_; }
    PhaseListModel* model() const { return model_; }
    ZELPhases& phases() { return list_; }
    bool descending() const { return descending_; }

    // After the list changed elsewhere (picking, loading): one row per pick in list order.
    void rebuildRows();
    // A header click: flips the ascending/descending flag and sorts by the column.
    void sortByColumn(int column);
    // Removes every selected pick; the row before the first removed one is selected after.
    void deleteSelected();
    void clearList();
    // "Вставить  фазу": the dialog stays open for more picks until "Выйти".
    CInsertPhaseDlg* showInsertDialog();
    // The edit dialog of a row (window-modal, not blocking); null for a row that does not exist.
    CEditPhaseDlg* openEditDialog(int row);

    void saveColumnWidths() const;
    void restoreColumnWidths();

  Q_SIGNALS:
    // A pick of this channel was deleted from the window.
    void pickRemoved(int station, int channel);

  private:
    // The list changed here: the rows anew and the session told.
    void listChanged();
    void notify();
    void rowActivated(const QModelIndex& index);

    Session& session_;
    ZELPhases& list_;
    const PhaseCatalogue& catalogue_;
    MessageSink& messages_;
    int observer_ = 0;
    bool notifying_ = false;  // the change being told is our own: the rows are up to date
    std::shared_ptr<const PhaseStations> stations_;
    PrivateProfile* profile_ = nullptr;
    PhaseListModel* model_ = nullptr;
    QTableView* table_ = nullptr;
    bool descending_ = true;  // the first header click sorts ascending
    QPointer<CInsertPhaseDlg> insertDialog_;
};

// Built-in column widths in pixels, and the "Columns Width" text read back (a missing, zero or
// negative entry keeps the built-in width).
const std::array<int, kPhaseListColumnCount>& DefaultPhaseColumnWidths();
std::array<int, kPhaseListColumnCount> ParseColumnWidths(const std::string& text);
std::string FormatColumnWidths(const std::array<int, kPhaseListColumnCount>& widths);

}  // namespace zel
