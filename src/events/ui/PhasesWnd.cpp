#include "events/ui/PhasesWnd.h"

#include <QAction>
#include <QBrush>
#include <QColor>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <chrono>

#include "base/MessageSink.h"
#include "base/PrivateProfile.h"
#include "events/LocationOutcome.h"
#include "events/PhaseCatalogue.h"
#include "events/ZELPhases.h"
#include "events/ui/PhaseDialogs.h"
#include "session/Session.h"

namespace zel {
namespace {

constexpr const char* kWidthSection = "PhaseList";
constexpr const char* kWidthKey = "Columns Width";

bool IsNumberColumn(int column) { return column >= kColResidual; }

}  // namespace

const std::array<int, kPhaseListColumnCount>& DefaultPhaseColumnWidths() {
    static const std::array<int, kPhaseListColumnCount> widths = {90, 60,  70, 60, 85, 170, 70, 85, 60, 65,
                                                                  75, 195, 45, 45, 50, 50,  45, 60, 55, 60};
    return widths;
}

std::array<int, kPhaseListColumnCount> ParseColumnWidths(const std::string& text) {
    std::array<int, kPhaseListColumnCount> widths = DefaultPhaseColumnWidths();
    std::size_t start = 0;
    for (int column = 0; column < kPhaseListColumnCount && start <= text.size(); ++column) {
        std::size_t comma = text.find(',', start);
        if (comma == std::string::npos) comma = text.size();
        const int width = ParseLeadingInt(std::string_view(text).substr(start, comma - start));
        if (width > 0) widths[column] = width;
        start = comma + 1;
    }
    return widths;
}

std::string FormatColumnWidths(const std::array<int, kPhaseListColumnCount>& widths) {
    std::string text;
    for (int width : widths) text += (text.empty() ? "" : ",") + std::to_string(width);
    return text;
}

PhaseListModel::PhaseListModel(ZELPhases& list, const PhaseCatalogue& catalogue, QObject* parent)
    : QAbstractTableModel(parent), list_(list), catalogue_(catalogue) {
    rebuild();
}

void PhaseListModel::setStations(const PhaseStations* stations) {
    stations_ = stations;
    if (!rows_.empty()) Q_EMIT dataChanged(index(0, 0), index(rowCount() - 1, kPhaseListColumnCount - 1));
}

void PhaseListModel::rebuild() {
    beginResetModel();
    rows_.clear();
    for (int i = 0; i < list_.Count(); ++i) rows_.push_back(list_.GetAt(i));
    revision_ = list_.Revision();
    endResetModel();
}

bool PhaseListModel::stale() const {
    if (revision_ == list_.Revision()) return false;
    if (!rebuildQueued_) {
        rebuildQueued_ = true;
        QTimer::singleShot(0, const_cast<PhaseListModel*>(this), [this] {
            rebuildQueued_ = false;
            const_cast<PhaseListModel*>(this)->rebuild();
        });
    }
    return true;
}

void PhaseListModel::sortRows(int column, bool descending) {
    if (!IsSortableColumn(column)) return;
    if (stale()) rebuild();
    Q_EMIT layoutAboutToBeChanged();
    SortPhaseRows(rows_, column, descending, catalogue_, stations_);
    Q_EMIT layoutChanged();
}

SEISMIC_PHASE* PhaseListModel::pickAt(int row) const {
    return row >= 0 && row < rowCount() && !stale() ? rows_[row] : nullptr;
}

int PhaseListModel::rowOf(const SEISMIC_PHASE* pick) const {
    auto it = std::find(rows_.begin(), rows_.end(), pick);
    return it == rows_.end() ? -1 : int(it - rows_.begin());
}

void PhaseListModel::refreshRow(int row) {
    if (row >= 0 && row < rowCount())
        Q_EMIT dataChanged(index(row, 0), index(row, kPhaseListColumnCount - 1));
}

void PhaseListModel::removeRows(std::vector<int> rows) {
    std::sort(rows.begin(), rows.end(), std::greater<int>());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    if (stale()) return;
    for (int row : rows) {
        if (row < 0 || row >= rowCount()) continue;
        const SEISMIC_PHASE* pick = rows_[row];
        const int station = pick->stationIndex, channel = pick->channelIndex;
        beginRemoveRows({}, row, row);
        rows_.erase(rows_.begin() + row);
        list_.Remove(station, channel, pick->phaseIndex);  // destroys the pick
        revision_ = list_.Revision();
        endRemoveRows();
        Q_EMIT pickRemoved(station, channel);
    }
}

int PhaseListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int PhaseListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kPhaseListColumnCount;
}

QVariant PhaseListModel::data(const QModelIndex& index, int role) const {
    const SEISMIC_PHASE* pick = pickAt(index.row());
    if (!pick) return {};
    switch (role) {
        case Qt::DisplayRole:
        case Qt::EditRole:
            return QString::fromStdString(PhaseCellText(*pick, index.column(), catalogue_, stations_));
        case Qt::CheckStateRole:
            if (index.column() != kColStation) return {};
            switch (CheckStateOf(*pick)) {
                case PickCheck::Included:
                    return Qt::Checked;
                case PickCheck::Excluded:
                    return Qt::Unchecked;
                case PickCheck::NotSaved:
                    return Qt::PartiallyChecked;
                case PickCheck::Outlier:
                    return Qt::Unchecked;
            }
            return {};
        // A pick the location's outlier rule took out stands out in every column.
        case Qt::BackgroundRole:
            if (CheckStateOf(*pick) == PickCheck::Outlier) return QBrush(QColor(255, 215, 205));
            return {};
        case Qt::ToolTipRole:
            if (CheckStateOf(*pick) == PickCheck::Outlier) return qtTrId(kPickExcludedAsOutlier);
            return {};
        case Qt::TextAlignmentRole:
            return int((IsNumberColumn(index.column()) ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
        default:
            return {};
    }
}

QVariant PhaseListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= kPhaseListColumnCount)
        return QAbstractTableModel::headerData(section, orientation, role);
    return qtTrId(PhaseListTitles()[section]);
}

Qt::ItemFlags PhaseListModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (!index.isValid()) return f;
    if (index.column() == kColStation) f |= Qt::ItemIsUserCheckable;
    if (IsEditableColumn(index.column())) f |= Qt::ItemIsEditable;
    return f;
}

bool PhaseListModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    SEISMIC_PHASE* pick = pickAt(index.row());
    if (!pick) return false;
    if (role == Qt::CheckStateRole && index.column() == kColStation) {
        // Whatever state the view asks for, the click means "toggle" under the curve rule.
        ToggleIncluded(*pick, catalogue_.HasCurve(pick->phaseIndex));
        refreshRow(index.row());
        Q_EMIT includedToggled(*pick);
        return true;
    }
    if (role != Qt::EditRole) return false;
    const CellEdit result = ApplyCellEdit(*pick, index.column(), value.toString().toStdString());
    if (result == CellEdit::Rejected) return false;
    refreshRow(index.row());  // an amplitude can bring a period with it
    if (result == CellEdit::Changed && index.column() == kColAzimuth) Q_EMIT azimuthEdited();
    return true;
}

CPhasesWnd::CPhasesWnd(Session& session, MessageSink& messages, QWidget* parent)
    : QWidget(parent),
      session_(session),
      list_(session.phases()),
      catalogue_(session.catalogue()),
      messages_(messages) {
    setObjectName("CPhasesWnd");
    model_ = new PhaseListModel(list_, catalogue_, this);
    table_ = new QTableView(this);
    table_->setModel(model_);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    table_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                            QAbstractItemView::SelectedClicked);
    table_->setAlternatingRowColors(true);
    table_->setWordWrap(false);
    table_->verticalHeader()->hide();
    table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 6);
    table_->horizontalHeader()->setSectionsClickable(true);
    table_->horizontalHeader()->setHighlightSections(false);
    table_->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    for (int c = 0; c < kPhaseListColumnCount; ++c) table_->setColumnWidth(c, DefaultPhaseColumnWidths()[c]);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(table_);

    connect(table_->horizontalHeader(), &QHeaderView::sectionClicked, this, &CPhasesWnd::sortByColumn);
    connect(table_, &QTableView::doubleClicked, this, &CPhasesWnd::rowActivated);
    connect(model_, &PhaseListModel::includedToggled, this, [this] { notify(); });
    connect(model_, &PhaseListModel::azimuthEdited, this, [this] { notify(); });
    connect(model_, &PhaseListModel::pickRemoved, this, &CPhasesWnd::pickRemoved);
    observer_ = session_.observe([this](SessionChange what) {
        if (what == SessionChange::Picks && !notifying_) rebuildRows();
    });
    auto* remove = new QAction(this);
    remove->setShortcut(QKeySequence::Delete);
    remove->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    connect(remove, &QAction::triggered, this, &CPhasesWnd::deleteSelected);
    table_->addAction(remove);
}

CPhasesWnd::~CPhasesWnd() {
    session_.forget(observer_);
    if (insertDialog_) delete insertDialog_.data();
    try {
        saveColumnWidths();
    } catch (const std::exception&) {
        // A configuration that cannot be written costs only the widths.
    }
}

void CPhasesWnd::setStations(std::shared_ptr<const PhaseStations> stations) {
    stations_ = std::move(stations);
    model_->setStations(stations_.get());
}

void CPhasesWnd::setProfile(PrivateProfile* profile) {
    profile_ = profile;
    restoreColumnWidths();
}

void CPhasesWnd::saveColumnWidths() const {
    if (!profile_) return;
    std::array<int, kPhaseListColumnCount> widths{};
    for (int c = 0; c < kPhaseListColumnCount; ++c) widths[c] = table_->columnWidth(c);
    profile_->writeString(kWidthSection, kWidthKey, FormatColumnWidths(widths));
}

void CPhasesWnd::restoreColumnWidths() {
    if (!profile_) return;
    const std::array<int, kPhaseListColumnCount> widths =
        ParseColumnWidths(profile_->getString(kWidthSection, kWidthKey, ""));
    for (int c = 0; c < kPhaseListColumnCount; ++c) table_->setColumnWidth(c, widths[c]);
}

void CPhasesWnd::rebuildRows() { model_->rebuild(); }

void CPhasesWnd::listChanged() {
    rebuildRows();
    notify();
}

void CPhasesWnd::notify() {
    notifying_ = true;
    session_.changed(SessionChange::Picks);
    notifying_ = false;
}

void CPhasesWnd::sortByColumn(int column) {
    descending_ = !descending_;
    model_->sortRows(column, descending_);
}

void CPhasesWnd::deleteSelected() {
    std::vector<int> rows;
    for (const QModelIndex& index : table_->selectionModel()->selectedRows()) rows.push_back(index.row());
    if (rows.empty()) return;
    const int first = *std::min_element(rows.begin(), rows.end());
    model_->removeRows(rows);
    notify();
    if (model_->rowCount() == 0) return;
    const int select = std::clamp(first - 1, 0, model_->rowCount() - 1);
    table_->selectionModel()->clearSelection();
    table_->selectionModel()->setCurrentIndex(model_->index(select, 0),
                                              QItemSelectionModel::Select | QItemSelectionModel::Rows);
}

void CPhasesWnd::clearList() {
    list_.RemoveAll();
    listChanged();
}

CInsertPhaseDlg* CPhasesWnd::showInsertDialog() {
    if (!insertDialog_) {
        // Starts from the last pick's time, or from now.
        double start =
            list_.Count() > 0
                ? list_.GetAt(list_.Count() - 1)->time
                : std::chrono::duration<double>(std::chrono::system_clock::now().time_since_epoch()).count();
        insertDialog_ = new CInsertPhaseDlg(model_->stations(), catalogue_, messages_, start, this);
        insertDialog_->setAttribute(Qt::WA_DeleteOnClose);
        connect(insertDialog_, &CInsertPhaseDlg::pickEntered, this, [this](const SEISMIC_PHASE& pick) {
            list_.Add(pick);
            listChanged();
        });
    }
    insertDialog_->show();
    insertDialog_->raise();
    return insertDialog_;
}

CEditPhaseDlg* CPhasesWnd::openEditDialog(int row) {
    SEISMIC_PHASE* pick = model_->pickAt(row);
    if (!pick) return nullptr;
    auto* dialog = new CEditPhaseDlg(list_, *pick, catalogue_, messages_, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::accepted, this, [this, dialog] {
        const SEISMIC_PHASE* edited = list_.Find(dialog->station(), dialog->channel(), dialog->phase());
        model_->refreshRow(model_->rowOf(edited));
        notify();
    });
    dialog->open();
    return dialog;
}

void CPhasesWnd::rowActivated(const QModelIndex& index) {
    // A double click on a value column edits that value in place; elsewhere it edits the pick.
    if (IsEditableColumn(index.column())) return;
    openEditDialog(index.row());
}

}  // namespace zel
