// Reports, CSS tables and IMS bulletins written when the disk fills up half-way through a file:
// the analyst is told, and an older file of the same name is left whole, with no temporary file
// beside it. The disk is "full" for real: a size limit on the writing process, or /dev/full.

#include <gtest/gtest.h>

#include <filesystem>

#include "base/ZelError.h"
#include "events/CurrentEvent.h"
#include "events/PhaseCatalogue.h"
#include "events/ZELPhases.h"
#include "formats/CssTables.h"
#include "formats/EventReport.h"
#include "formats/ImsBulletin.h"
#include "support/FileSizeLimit.h"
#include "support/TempDir.h"

namespace zel {
namespace {

namespace fs = std::filesystem;
using test::FailureWithFileSizeLimit;
using test::FolderListing;

constexpr std::size_t kLimit = 100;  // bytes: every file below is longer
const std::string kOld = "the analyst's earlier file\n";

Report ReportOfManyEvents() {
    Report report;
    report.start = 1615896000.0;
    report.end = report.start + 3600;
    for (int i = 0; i < 50; ++i) report.events.push_back({"событие", "EV" + std::to_string(i), 100.0, 50.0, 10.0,
                                                          report.start + i, {}});
    return report;
}

TEST(WritesOnAFullDisk, ReportKeepsTheOlderFileAndSaysWhy) {
    test::TempDir dir;
    const Report report = ReportOfManyEvents();
    for (const char* name : {"r.txt", "r.htm"}) {
        const std::string path = dir.file(name);
        test::WriteFile(path, kOld);
        const auto failure = FailureWithFileSizeLimit(kLimit, [&] { SaveReport(report, path); });
        ASSERT_TRUE(failure) << name << ": the save reported success";
        EXPECT_EQ(failure->rfind("Ошибка сохранения файла отчета " + path + "\n", 0), 0u) << *failure;
        EXPECT_NE(failure->find("File too large"), std::string::npos) << *failure;
        EXPECT_EQ(test::ReadFile(path), kOld);
    }
    EXPECT_EQ(FolderListing(dir.path().string()), "r.htm\nr.txt\n");

    // Without the limit the same save replaces the older file.
    SaveReport(report, dir.file("r.txt"));
    EXPECT_GT(test::ReadFile(dir.file("r.txt")).size(), kLimit);
}

TEST(WritesOnAFullDisk, AReportToALinkOntoAFullDeviceIsAnError) {
    test::TempDir dir;
    fs::create_symlink("/dev/full", dir.file("r.txt"));
    try {
        SaveReport(ReportOfManyEvents(), dir.file("r.txt"));
        ADD_FAILURE() << "the save reported success";
    } catch (const ZelError& e) {
        EXPECT_NE(std::string(e.what()).find("No space left on device"), std::string::npos) << e.what();
    }
    // Written through the link, never renamed over it.
    EXPECT_TRUE(fs::is_symlink(dir.file("r.txt")));
    EXPECT_TRUE(fs::is_character_file("/dev/full"));
    EXPECT_EQ(FolderListing(dir.path().string()), "r.txt\n");
}

// The five tables are one set: an Origin beside the Arrival of an older save tells another event.
TEST(WritesOnAFullDisk, CssTablesAreOneSetAndAFailureKeepsEveryOlderTable) {
    test::TempDir dir;
    CssEvent event;
    event.origin.orid = 7;
    event.origin.lat = 52.0;
    for (int i = 0; i < 10; ++i) {
        CssArrival a;
        a.sta = "ST" + std::to_string(i);
        a.arid = i + 1;
        event.arrivals.push_back(a);
    }
    // Older tables of the same origin; the origin line alone fits under the limit.
    for (const char* table : {"Origin", "Arrival", "Assoc"}) test::WriteFile(dir.file(std::string("7.") + table), kOld);
    const auto failure = FailureWithFileSizeLimit(
        CssOriginLine(event.origin, CssTextLoadDate(0)).size(), [&] { WriteCssTextTables(event, 7, dir.path().string(), 0); });
    ASSERT_TRUE(failure) << "the tables were reported written";
    EXPECT_EQ(*failure, "Ошибка открытия файла: " + dir.file("7.Arrival") + ": File too large");
    EXPECT_EQ(test::ReadFile(dir.file("7.Origin")), kOld);
    EXPECT_EQ(test::ReadFile(dir.file("7.Arrival")), kOld);
    EXPECT_EQ(test::ReadFile(dir.file("7.Assoc")), kOld);
    EXPECT_EQ(FolderListing(dir.path().string()), "7.Arrival\n7.Assoc\n7.Origin\n");
}

TEST(WritesOnAFullDisk, ImsBulletinKeepsTheOlderFile) {
    test::TempDir dir;
    const std::string path = dir.file("bulletin.ims");
    test::WriteFile(path, kOld);
    CurrentEvent event;
    event.eventId = "ev1234";
    const ZELPhases phases;
    const PhaseCatalogue catalogue;
    const std::vector<Station> stations;
    const BulletinInput input{event, {}, false};
    ASSERT_GT(ImsBulletinText(input, phases, stations, catalogue).size(), kLimit);
    const auto failure =
        FailureWithFileSizeLimit(kLimit, [&] { WriteImsBulletin(path, input, phases, stations, catalogue); });
    ASSERT_TRUE(failure) << "the bulletin was reported written";
    EXPECT_EQ(*failure, "Ошибка открытия файла  '" + path + "': File too large");
    EXPECT_EQ(test::ReadFile(path), kOld);
    EXPECT_EQ(FolderListing(dir.path().string()), "bulletin.ims\n");

    // A device that is always full, named directly.
    EXPECT_THROW(WriteImsBulletin("/dev/full", input, phases, stations, catalogue), ZelError);
    EXPECT_TRUE(fs::is_character_file("/dev/full"));
}

}  // namespace
}  // namespace zel
