// The phase list window on the offscreen platform: picks added through the insert dialog, edited
// in place and through the edit dialog, checked, sorted by header clicks and deleted; column widths
// kept in the profile.

#include "events/ui/PhasesWnd.h"
#include "session/Session.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableView>
#include <QTreeWidget>

#include "base/MessageSink.h"
#include "base/PrivateProfile.h"
#include "base/TimeConversions.h"
#include "events/LocationOutcome.h"
#include "events/PhaseCatalogue.h"
#include "events/ZELPhases.h"
#include "events/ui/PhaseDialogs.h"
#include "support/TempDir.h"

namespace zel {
namespace {

class PhasesWndTest : public ::testing::Test {
  protected:
    void SetUp() override {
        catalogue.Load(std::string(ZEL_RESOURCES_DIR) + "/traveltimes/iasp91/", "");
        auto table = std::make_shared<StationNameTable>();
        table->stations.resize(2);
        table->stations[0].name = "TLY";
        table->stations[0].channels = {"BHZ", "BHN", "BHE"};
        table->stations[0].locationCodes = {"00", "00", "00"};
        table->stations[1].name = "ARU";
        table->stations[1].channels = {"SHZ"};
        stations = table;
        window = std::make_unique<CPhasesWnd>(session, messages);
        window->setStations(stations);
        window->resize(1200, 400);
        session.observe([this](SessionChange what) { listChanges += what == SessionChange::Picks; });
        QObject::connect(window.get(), &CPhasesWnd::pickRemoved,
                         [this](int station, int channel) { removed.emplace_back(station, channel); });
    }

    QString Cell(int row, int column) const { return window->model()->index(row, column).data().toString(); }
    QStringList Column(int column) const {
        QStringList out;
        for (int r = 0; r < window->model()->rowCount(); ++r) out << Cell(r, column);
        return out;
    }
    // Fills the insert dialog and presses "Вставить".
    void Insert(CInsertPhaseDlg* dialog, int stationRow, const QString& channel, const char* phase,
                const char* time, int onset = kOnsetImpulsive) {
        if (stationRow >= 0)
            dialog->stationTree()->setCurrentItem(dialog->stationTree()->topLevelItem(stationRow));
        dialog->channelBox()->setCurrentText(channel);
        dialog->phaseBox()->setCurrentText(phase);
        dialog->onsetGroup()->button(onset)->click();
        dialog->timeEdit()->setText(time);
        dialog->dateEdit()->setText("14-06-13");
        dialog->insertButton()->click();
    }
    bool Edit(int row, int column, const QString& text) {
        return window->model()->setData(window->model()->index(row, column), text, Qt::EditRole);
    }

    Session session;
    PhaseCatalogue& catalogue = session.catalogue();
    ZELPhases& list = session.phases();
    RecordingMessageSink messages;
    std::shared_ptr<StationNameTable> stations;
    std::unique_ptr<CPhasesWnd> window;
    int listChanges = 0;
    std::vector<std::pair<int, int>> removed;
};

TEST_F(PhasesWndTest, AddEditSortDelete) {
    window->show();
    EXPECT_EQ(window->model()->columnCount(), 20);
    EXPECT_EQ(window->model()->headerData(11, Qt::Horizontal, Qt::DisplayRole).toString(),
              "Расст. до эпицентра(град.)");

    // Add: the insert dialog stays open for further picks; its messages come first.
    CInsertPhaseDlg* dialog = window->showInsertDialog();
    ASSERT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->stationTree()->topLevelItemCount(), 2);
    Insert(dialog, -1, "BHZ", "Pn", "12:20:23.5");
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_EQ(messages.messages()[0].text, "Выберите сейсмическую станцию");
    dialog->stationTree()->setCurrentItem(dialog->stationTree()->topLevelItem(0));
    EXPECT_EQ(dialog->channelBox()->count(), 3);
    dialog->dateEdit()->setText("31-02-13");
    dialog->insertButton()->click();
    EXPECT_EQ(messages.messages().back().text, "Введите правильную дату");
    EXPECT_EQ(list.Count(), 0);

    Insert(dialog, 0, "BHZ", "Sn", "12:21:10.25");
    Insert(dialog, 0, "BHN", "Pn", "12:20:23.5", kOnsetEmergent);
    Insert(dialog, 1, "SHZ", "Pg", "12:20:20");
    Insert(dialog, 1, "SHZ", "AML", "12:20:40");
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(messages.messages().size(), 2u);
    ASSERT_EQ(window->model()->rowCount(), 4);
    EXPECT_EQ(listChanges, 4);
    EXPECT_EQ(Column(0), (QStringList{"ARU", "TLY", "ARU", "TLY"}));  // in time order
    EXPECT_EQ(Column(3), (QStringList{"Pg", "Pn", "AML", "Sn"}));
    EXPECT_EQ(Cell(1, 1), "BHN");
    EXPECT_EQ(Cell(1, 2), "00");
    EXPECT_EQ(Cell(1, 4), "EU0");
    EXPECT_EQ(Cell(1, 5), "12:20:23.50 14/06/2013");
    EXPECT_EQ(Cell(0, 2), "");
    // A pick of the same identity replaces the old one: still one row.
    Insert(dialog, 1, "SHZ", "Pg", "12:20:19");
    EXPECT_EQ(window->model()->rowCount(), 4);
    EXPECT_EQ(Cell(0, 5), "12:20:19.00 14/06/2013");

    // Check boxes: phases with curves come in checked; a marker is unchecked and stays so.
    auto check = [&](int row) { return window->model()->index(row, 0).data(Qt::CheckStateRole).toInt(); };
    EXPECT_EQ(check(0), Qt::Checked);
    EXPECT_EQ(check(2), Qt::Unchecked);
    QModelIndex markerCell = window->model()->index(2, 0);
    EXPECT_TRUE(window->model()->flags(markerCell) & Qt::ItemIsUserCheckable);
    window->model()->setData(markerCell, Qt::Checked, Qt::CheckStateRole);
    EXPECT_EQ(check(2), Qt::Unchecked);
    window->model()->setData(window->model()->index(0, 0), Qt::Unchecked, Qt::CheckStateRole);
    EXPECT_EQ(check(0), Qt::Unchecked);
    EXPECT_EQ(list.GetAt(0)->included, 0);
    list.GetAt(1)->savable = 0;
    list.GetAt(1)->included = 0;
    EXPECT_EQ(check(1), Qt::PartiallyChecked);
    // A pick the location's outlier rule took out: unchecked, tinted, with a note; a click puts it
    // back for good.
    list.GetAt(0)->outlier = 1;
    const QModelIndex outlierCell = window->model()->index(0, 3);
    EXPECT_EQ(check(0), Qt::Unchecked);
    EXPECT_EQ(outlierCell.data(Qt::ToolTipRole).toString().toStdString(), kPickExcludedAsOutlier);
    EXPECT_TRUE(outlierCell.data(Qt::BackgroundRole).isValid());
    EXPECT_FALSE(window->model()->index(1, 3).data(Qt::BackgroundRole).isValid());
    window->model()->setData(window->model()->index(0, 0), Qt::Checked, Qt::CheckStateRole);
    EXPECT_EQ(check(0), Qt::Checked);
    EXPECT_EQ(list.GetAt(0)->keptByAnalyst, 1);
    EXPECT_FALSE(outlierCell.data(Qt::BackgroundRole).isValid());
    window->model()->setData(window->model()->index(0, 0), Qt::Unchecked, Qt::CheckStateRole);

    // Edit in place: value columns only.
    EXPECT_TRUE(window->model()->flags(window->model()->index(0, 7)) & Qt::ItemIsEditable);
    EXPECT_FALSE(window->model()->flags(window->model()->index(0, 5)) & Qt::ItemIsEditable);
    EXPECT_TRUE(Edit(0, 7, "0.25"));
    EXPECT_EQ(Cell(0, 7), "0.2500");
    EXPECT_EQ(Cell(0, 8), "1.00");
    EXPECT_FALSE(Edit(0, 12, "four"));
    EXPECT_TRUE(Edit(0, 17, "12.5"));
    EXPECT_EQ(Cell(0, 17), "12.500");
    EXPECT_TRUE(Edit(0, 17, ""));
    window->rebuildRows();
    EXPECT_EQ(Cell(0, 17), "");
    EXPECT_EQ(list.GetAt(0)->energyClass, -1.0);
    EXPECT_TRUE(Edit(1, 11, "3.5"));
    EXPECT_TRUE(Edit(3, 11, "1.25"));
    EXPECT_TRUE(Edit(0, 9, "45"));

    // The edit dialog: a phase the channel already has is refused and the dialog stays open.
    list.Add([&] {
        SEISMIC_PHASE p = *list.GetAt(3);
        p.phaseIndex = catalogue.IndexOf("Sg");
        p.time += 5;
        p.distance = -1;
        return p;
    }());
    window->rebuildRows();
    ASSERT_EQ(Column(3), (QStringList{"Pg", "Pn", "AML", "Sn", "Sg"}));
    CEditPhaseDlg* edit = window->openEditDialog(3);
    ASSERT_NE(edit, nullptr);
    EXPECT_TRUE(edit->isVisible());
    EXPECT_EQ(edit->phaseList()->currentItem()->text(), "Sn");
    edit->phaseList()->setCurrentRow(catalogue.IndexOf("Sg"));
    edit->accept();
    EXPECT_EQ(messages.messages().back().text, "Выбранная фаза уже существует");
    EXPECT_TRUE(edit->isVisible());
    edit->phaseList()->setCurrentRow(catalogue.IndexOf("S"));
    edit->firstMotionGroup()->button(7)->click();
    edit->weightGroup()->button(2)->click();
    edit->remarkEdit()->setText("вторичная волна");
    EXPECT_TRUE(edit->pickFilterEdit()->isReadOnly());
    edit->accept();
    EXPECT_FALSE(edit->isVisible());
    EXPECT_EQ(Cell(3, 3), "S");
    EXPECT_EQ(Cell(3, 4), "Iu2");
    EXPECT_EQ(list.GetAt(3)->remark, "вторичная волна");
    EXPECT_EQ(list.GetAt(3)->savable, 1);

    // Sort: each header click flips the direction; a missing distance sorts after the others.
    QHeaderView* header = window->table()->horizontalHeader();
    auto click = [&](int column) { Q_EMIT header->sectionClicked(column); };
    click(11);
    EXPECT_FALSE(window->descending());
    EXPECT_EQ(Column(11), (QStringList{"1.250", "3.500", "", "", ""}));
    click(11);
    EXPECT_TRUE(window->descending());
    EXPECT_EQ(Column(11), (QStringList{"", "", "", "3.500", "1.250"}));
    click(0);
    EXPECT_EQ(Column(0), (QStringList{"ARU", "ARU", "TLY", "TLY", "TLY"}));
    EXPECT_EQ(Column(5).first(), "12:20:19.00 14/06/2013");  // ties by time
    click(0);
    EXPECT_EQ(Column(0), (QStringList{"TLY", "TLY", "TLY", "ARU", "ARU"}));
    click(3);
    EXPECT_EQ(Column(3), (QStringList{"AML", "Pg", "Pn", "S", "Sg"}));
    click(5);
    EXPECT_EQ(Column(3), (QStringList{"Sg", "S", "AML", "Pn", "Pg"}));

    // Delete: the selected rows go from the list and the window; the row before the first is selected.
    QItemSelectionModel* selection = window->table()->selectionModel();
    selection->select(window->model()->index(1, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    selection->select(window->model()->index(3, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    window->deleteSelected();
    EXPECT_EQ(Column(3), (QStringList{"Sg", "AML", "Pg"}));  // the sort order stays
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(list.Find(0, 0, catalogue.IndexOf("S")), nullptr);
    EXPECT_EQ(removed, (std::vector<std::pair<int, int>>{{0, 1}, {0, 0}}));
    ASSERT_EQ(selection->selectedRows().size(), 1);
    EXPECT_EQ(selection->selectedRows()[0].row(), 0);

    // A list changed behind the window's back is never read through stale rows.
    list.RemoveAll();
    EXPECT_EQ(Cell(0, 3), "");
    QApplication::processEvents();
    EXPECT_EQ(window->model()->rowCount(), 0);
    window->deleteSelected();  // nothing selected, nothing happens
    EXPECT_EQ(window->openEditDialog(0), nullptr);
}

TEST_F(PhasesWndTest, ColumnWidthsAreKeptInThePhaseListSection) {
    EXPECT_EQ(ParseColumnWidths("").at(5), DefaultPhaseColumnWidths()[5]);
    std::array<int, kPhaseListColumnCount> widths = ParseColumnWidths("10,0,-5,x,44");
    EXPECT_EQ(widths[0], 10);
    EXPECT_EQ(widths[1], DefaultPhaseColumnWidths()[1]);
    EXPECT_EQ(widths[2], DefaultPhaseColumnWidths()[2]);
    EXPECT_EQ(widths[3], DefaultPhaseColumnWidths()[3]);
    EXPECT_EQ(widths[4], 44);

    test::TempDir dir;
    PrivateProfile ini(dir.file("ZEL.ini"));
    ini.writeString("PhaseList", "Columns Width", "120,33");
    window->setProfile(&ini);
    EXPECT_EQ(window->table()->columnWidth(0), 120);
    EXPECT_EQ(window->table()->columnWidth(1), 33);
    EXPECT_EQ(window->table()->columnWidth(2), DefaultPhaseColumnWidths()[2]);
    window->table()->setColumnWidth(5, 222);
    window.reset();  // the window saves its widths as it goes
    const std::string saved = ini.getString("PhaseList", "Columns Width");
    EXPECT_EQ(saved.substr(0, 7), "120,33,");
    EXPECT_EQ(ParseColumnWidths(saved)[5], 222);
    EXPECT_EQ(std::count(saved.begin(), saved.end(), ','), 19);
}

}  // namespace
}  // namespace zel
