// The waveform file list on the offscreen platform.

#include "data/ui/CLoadFileFromDB.h"

#include <gtest/gtest.h>

#include <QTableWidget>

#include "db/Databases.h"
#include "support/ScratchDatabase.h"

namespace zel {
namespace {

TEST(CLoadFileFromDB, ListsTheSelectedChannelsOfTheStationNewestFirst) {
    test::ScratchDatabase scratch(test::Backend::SQLite);
    RecordingMessageSink messages;
    DatabaseSettings settings;
    settings.odbc = scratch.connectString();
    Databases db(settings, messages);
    ASSERT_EQ(db.openWorkDb(), 1);
    const double day = 1371168000.0;  // 2013-06-14 00:00:00
    for (int d = 0; d < 3; ++d)
        for (const char* ch : {"SHZ", "SHN"})
            db.work().execute(
                "insert into FILELIST (STA, CH, TBEGIN, TQTY, SPS, CPATH, DATATYPE, FOFF) values ('ABC', ?, "
                "?, 3600, "
                "100, ?, 3, 512)",
                {std::string(ch), day + 86400 * d + 43200, std::string(ch) + std::to_string(d)});

    std::vector<Station> stations(2);
    stations[0].code = "XYZ";
    stations[1].code = "ABC";
    stations[1].slots[0].channel = "SHZ";
    stations[1].slots[0].selected = true;
    stations[1].slots[1].channel = "SHN";

    CLoadFileFromDB dialog(db.work(), false, stations, messages);
    dialog.setStation(1);
    dialog.refresh();
    ASSERT_EQ(dialog.table()->rowCount(), 3);  // only the selected SHZ
    EXPECT_EQ(dialog.table()->item(0, 5)->text(), "SHZ2");
    EXPECT_EQ(dialog.table()->item(0, 2)->text(), "16/06/2013 12:00:00.000");

    stations[1].slots[0].selected = false;  // nothing selected: every channel
    dialog.setDayRange(std::make_pair(day + 86400, day + 86400 + 5));
    dialog.refresh();
    ASSERT_EQ(dialog.table()->rowCount(), 2);
    EXPECT_EQ(dialog.table()->item(0, 1)->text(), "SHZ");
    EXPECT_EQ(dialog.table()->item(1, 5)->text(), "SHN1");

    dialog.setColumnWidths("40,0,x,120");
    const std::string widths = dialog.columnWidths();
    EXPECT_EQ(widths.substr(0, 3), "40,");
    EXPECT_NE(widths.find(",120,"), std::string::npos);

    db.work().execute("drop table FILELIST");
    dialog.refresh();
    EXPECT_EQ(dialog.table()->rowCount(), 0);
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_EQ(messages.messages()[0].icon, MessageIcon::Error);
}

}  // namespace
}  // namespace zel
