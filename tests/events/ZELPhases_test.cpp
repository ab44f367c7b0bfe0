// The phase list and its table: order and identity, the per-channel queries, the column texts,
// in-place editing, the check-box rule, sorting, and the insert and edit dialogs' logic.

#include "events/ZELPhases.h"

#include <gtest/gtest.h>

#include <limits>
#include <random>

#include "base/TimeConversions.h"
#include "events/PhaseCatalogue.h"
#include "events/PhaseListTable.h"

namespace zel {
namespace {

const std::string kIasp91 = std::string(ZEL_RESOURCES_DIR) + "/traveltimes/iasp91/";

SEISMIC_PHASE Pick(int station, int channel, int phase, double time) {
    SEISMIC_PHASE p;
    p.stationIndex = station;
    p.channelIndex = channel;
    p.phaseIndex = phase;
    SetPickTime(p, time);
    return p;
}

std::vector<int> Phases(const ZELPhases& list) {
    std::vector<int> out;
    for (int i = 0; i < list.Count(); ++i) out.push_back(list.GetAt(i)->phaseIndex);
    return out;
}

StationNameTable Stations() {
    StationNameTable t;
    t.stations.resize(3);
    t.stations[0].name = "OBN";
    t.stations[1].name = "ARU";
    t.stations[2].name = "KIV";
    for (auto& s : t.stations) {
        s.channels[0] = "BHZ";
        s.channels[1] = "BHN";
        s.locationCodes[0] = "00";
    }
    return t;
}

TEST(ZELPhases, KeepsTimeOrderAndOnePickPerIdentity) {
    std::int64_t next = 100;
    ZELPhases list([&] { return next++; });
    list.Add(Pick(0, 0, 1, 50.0));
    list.Add(Pick(0, 0, 2, 10.0));
    list.Add(Pick(1, 0, 3, 50.0));  // equal times keep their order of arrival
    list.Add(Pick(2, 0, 4, 50.0));
    EXPECT_EQ(Phases(list), (std::vector<int>{2, 1, 3, 4}));
    EXPECT_EQ(list.GetAt(0)->arid, 101);

    // The same identity again replaces the old pick wherever the new time puts it.
    SEISMIC_PHASE moved = Pick(0, 0, 1, 5.0);
    moved.arid = 7;
    SEISMIC_PHASE& stored = list.Add(moved);
    EXPECT_EQ(Phases(list), (std::vector<int>{1, 2, 3, 4}));
    EXPECT_EQ(&stored, list.GetAt(0));
    EXPECT_EQ(stored.arid, 7);  // an arrival id it has is kept
    EXPECT_EQ(next, 104);

    // Adding a stored pick to its own list is a replacement by a copy of itself.
    list.Add(*list.GetAt(2));
    EXPECT_EQ(list.Count(), 4);
    EXPECT_EQ(list.GetAt(3)->phaseIndex, 3);  // after the other pick at 50 s now
    EXPECT_TRUE(list.Contains(Pick(2, 0, 4, 0)));
    EXPECT_FALSE(list.Contains(Pick(2, 1, 4, 0)));

    EXPECT_TRUE(list.Remove(0, 0, 2));
    EXPECT_FALSE(list.Remove(0, 0, 2));
    EXPECT_EQ(list.Find(0, 0, 2), nullptr);
    EXPECT_EQ(list.GetAt(-1), nullptr);
    EXPECT_EQ(list.GetAt(3), nullptr);

    // Copies are deep.
    ZELPhases copy = list;
    copy.GetAt(0)->amplitude = 9;
    EXPECT_EQ(list.GetAt(0)->amplitude, 0);
    list.RemoveAll();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(copy.Count(), 3);

    // Keys that cannot be drawn, or do not fit an arrival id, leave -1.
    for (std::int64_t bad : {std::int64_t(-1), std::int64_t(0), std::int64_t(1) << 40}) {
        ZELPhases failing([bad] { return bad; });
        EXPECT_EQ(failing.Add(Pick(0, 0, 0, 1)).arid, -1);
    }
}

TEST(ZELPhases, PerStationAndChannelQueries) {
    PhaseCatalogue catalogue;
    ZELPhases list;
    const double none = std::numeric_limits<double>::max();
    EXPECT_EQ(list.EarliestTime(0, 0), none);
    EXPECT_EQ(list.EarliestIncludedTime(0), none);
    EXPECT_EQ(list.MaxPAmplitude(0, 0, catalogue), std::numeric_limits<double>::min());
    EXPECT_EQ(list.MaxMb(0, 0), 0.0);

    SEISMIC_PHASE p = Pick(0, 0, catalogue.IndexOf("P"), 30);
    p.amplitude = 2.5f;
    p.mb = 4.1f;
    list.Add(p);
    SEISMIC_PHASE aml = Pick(0, 0, catalogue.IndexOf("AML"), 20);
    aml.amplitude = 99;
    aml.mb = 5.5f;
    aml.included = 1;
    list.Add(aml);
    list.Add(Pick(0, 1, catalogue.IndexOf("S"), 10));
    EXPECT_EQ(list.EarliestTime(0, 0), 20);
    EXPECT_EQ(list.EarliestTime(0, 1), 10);
    EXPECT_EQ(list.EarliestTime(0, 2), none);
    EXPECT_EQ(list.EarliestIncludedTime(0), 20);
    EXPECT_EQ(list.EarliestIncludedTime(1), none);
    EXPECT_DOUBLE_EQ(list.MaxPAmplitude(0, 0, catalogue), 2.5);  // only P counts
    EXPECT_EQ(list.MaxPAmplitude(0, 1, catalogue), std::numeric_limits<double>::min());
    EXPECT_FLOAT_EQ(list.MaxMb(0, 0), 5.5f);
}

TEST(PhaseListTable, TimesRoundBeforeTheyAreSplit) {
    const double t = CalendarToEpoch(2013, 6, 14, 12, 34, 59.0);
    EXPECT_EQ(FormatPickTime(t + 0.996), "12:35:00.00 14/06/2013");
    EXPECT_EQ(FormatPickTime(t + 0.994), "12:34:59.99 14/06/2013");
    EXPECT_EQ(FormatPickTime(CalendarToEpoch(2013, 12, 31, 23, 59, 59.997)), "00:00:00.00 01/01/2014");
    EXPECT_EQ(FormatPickTime(CalendarToEpoch(1965, 3, 2, 1, 2, 3.25)), "01:02:03.25 02/03/1965");
    EXPECT_EQ(FormatPickTime(std::numeric_limits<double>::quiet_NaN()), "");

    // The stored fields truncate and never reach a hundredth of 100.
    SEISMIC_PHASE p;
    ASSERT_TRUE(SetPickTime(p, t + 0.999999));
    EXPECT_EQ(std::tuple(p.year, int(p.month), int(p.day), p.hour, p.minute, p.second, p.hundredths),
              std::tuple(2013, 6, 14, 12, 34, 59, 99));
    EXPECT_FALSE(SetPickTime(p, std::numeric_limits<double>::infinity()));
    EXPECT_EQ(p.time, t + 0.999999);
}

TEST(PhaseListTable, ColumnTexts) {
    PhaseCatalogue catalogue;
    StationNameTable stations = Stations();
    SEISMIC_PHASE p = Pick(1, 0, catalogue.IndexOf("Pn"), CalendarToEpoch(2013, 6, 14, 12, 20, 23.5));
    p.onset = kOnsetImpulsive;
    p.firstMotion = 0;
    p.weight = 0;
    auto text = [&](int column) { return PhaseCellText(p, column, catalogue, &stations); };
    std::vector<std::string> row;
    for (int c = 0; c < kPhaseListColumnCount; ++c) row.push_back(text(c));
    EXPECT_EQ(row, (std::vector<std::string>{"ARU", "BHZ", "00", "Pn", "IU0", "12:20:23.50 14/06/2013",
                                             "",    "",    "",   "",   "",    "",
                                             "",    "",    "",   "",   "",    "",
                                             "",    ""}));

    p.hasResidual = 1;
    p.residual = -0.25f;  // a negative residual is a value
    p.hasAmplitude = 1;
    p.amplitude = 0.12345f;
    p.period = 0.5f;
    p.hasAzimuth = 1;
    p.azimuth = 0.0f;
    p.backAzimuth = 0.0f;
    p.distance = 12.3456f;
    p.mb = 4.25f;
    p.ms = 3.0f;
    p.mplp = 5.0f;
    p.mpsp = 5.5f;
    p.ml = 2.04f;
    p.energyClass = 9.5;
    p.coda = 61.25;
    p.mcoda = 2.5;
    p.firstMotion = 8;
    p.onset = kOnsetNone;
    p.weight = 4;
    row.clear();
    for (int c = 4; c < kPhaseListColumnCount; ++c) row.push_back(text(c));
    EXPECT_EQ(row, (std::vector<std::string>{"-r4", "12:20:23.50 14/06/2013", "-0.250", "0.1235", "0.50",
                                             "0.0", "0.000", "12.346", "4.2", "3.0", "5.0", "5.5", "2.0",
                                             "9.500", "61.2", "2.5"}));
    p.backAzimuth = -1;
    p.distance = 0;
    p.mb = 0;
    p.energyClass = 0;
    EXPECT_EQ(text(kColBackAzimuth) + text(kColDistance) + text(kColMb) + text(kColClass), "");
    // Names the tables do not have are blank, not a crash.
    p.stationIndex = 17;
    p.phaseIndex = 400;
    EXPECT_EQ(text(kColStation) + text(kColChannel) + text(kColLocation) + text(kColPhase), "");
    p.firstMotion = 12;
    EXPECT_EQ(text(kColOnset), "-?4");
    EXPECT_EQ(PhaseCellText(p, kColStation, catalogue, nullptr), "");
}

TEST(PhaseListTable, InPlaceEditing) {
    PhaseCatalogue catalogue;
    SEISMIC_PHASE p;
    auto text = [&](int column) { return PhaseCellText(p, column, catalogue, nullptr); };

    EXPECT_EQ(ApplyCellEdit(p, kColAmplitude, " 0.25 "), CellEdit::Changed);
    EXPECT_EQ(text(kColAmplitude), "0.2500");
    EXPECT_EQ(text(kColPeriod), "1.00");  // an amplitude where there was none brings period 1
    EXPECT_EQ(ApplyCellEdit(p, kColAmplitude, "-3"), CellEdit::Ignored);
    EXPECT_EQ(ApplyCellEdit(p, kColAmplitude, "0"), CellEdit::Ignored);
    EXPECT_EQ(ApplyCellEdit(p, kColPeriod, "2.5"), CellEdit::Changed);
    EXPECT_EQ(text(kColAmplitude) + " " + text(kColPeriod), "0.2500 2.50");
    EXPECT_EQ(ApplyCellEdit(p, kColPeriod, ""), CellEdit::Changed);
    EXPECT_EQ(text(kColAmplitude) + text(kColPeriod), "");
    EXPECT_EQ(ApplyCellEdit(p, kColPeriod, "0.8"), CellEdit::Changed);
    EXPECT_EQ(text(kColAmplitude) + " " + text(kColPeriod), "1.0000 0.80");

    EXPECT_EQ(ApplyCellEdit(p, kColAzimuth, "123.46"), CellEdit::Changed);
    EXPECT_EQ(text(kColAzimuth), "123.5");
    EXPECT_EQ(ApplyCellEdit(p, kColAzimuth, ""), CellEdit::Changed);
    EXPECT_EQ(p.hasAzimuth, 0);
    EXPECT_EQ(p.azimuth, -1.0f);

    for (int column : {kColDistance, kColMb, kColMs, kColMplp, kColMpsp, kColMl, kColClass, kColCoda}) {
        EXPECT_EQ(ApplyCellEdit(p, column, "7.25"), CellEdit::Changed) << column;
        EXPECT_FALSE(text(column).empty()) << column;
        EXPECT_EQ(ApplyCellEdit(p, column, ""), CellEdit::Changed) << column;
        EXPECT_EQ(text(column), "") << column;
    }
    EXPECT_EQ(p.energyClass, -1.0);
    EXPECT_EQ(p.coda, -1.0);
    EXPECT_EQ(p.mb, -1.0f);

    // Text that is no number, and columns that are not edited in place, change nothing.
    const SEISMIC_PHASE before = p;
    for (const char* bad : {"abc", "1,5", "12abc", "nan", "inf", "--1"})
        EXPECT_EQ(ApplyCellEdit(p, kColMl, bad), CellEdit::Rejected) << bad;
    for (int column : {int(kColStation), int(kColPhase), int(kColTime), int(kColResidual),
                       int(kColBackAzimuth), int(kColMcoda), 20, -1})
        EXPECT_EQ(ApplyCellEdit(p, column, "1"), CellEdit::Rejected) << column;
    EXPECT_EQ(p.ml, before.ml);
    EXPECT_EQ(p.residual, before.residual);
    EXPECT_EQ(p.mcoda, before.mcoda);
    EXPECT_EQ(p.backAzimuth, before.backAzimuth);
}

TEST(PhaseListTable, CheckBoxRule) {
    PhaseCatalogue catalogue;
    catalogue.Load(kIasp91, "");
    SEISMIC_PHASE p;
    p.phaseIndex = catalogue.IndexOf("AML");
    p.savable = 0;
    EXPECT_EQ(CheckStateOf(p), PickCheck::NotSaved);
    ToggleIncluded(p, catalogue.HasCurve(p.phaseIndex));  // a marker can never be checked
    EXPECT_EQ(p.included, 0);
    EXPECT_EQ(CheckStateOf(p), PickCheck::Excluded);
    p.included = 1;  // as a file might bring it in: it can still be unchecked
    EXPECT_EQ(CheckStateOf(p), PickCheck::Included);
    ToggleIncluded(p, false);
    EXPECT_EQ(p.included, 0);

    p.phaseIndex = catalogue.IndexOf("Pn");
    ToggleIncluded(p, catalogue.HasCurve(p.phaseIndex));
    EXPECT_EQ(CheckStateOf(p), PickCheck::Included);
    ToggleIncluded(p, true);
    EXPECT_EQ(CheckStateOf(p), PickCheck::Excluded);
}

TEST(PhaseListTable, SortingIsAStrictWeakOrderingWithMissingValuesLast) {
    PhaseCatalogue catalogue;
    StationNameTable stations = Stations();
    std::vector<SEISMIC_PHASE> picks;
    // Residuals: present (negative, zero, positive) and missing; the written rule made zero and
    // negatives "equal" to everything, which is no ordering at all.
    const std::vector<std::pair<int, float>> residuals = {{1, 0.5f}, {0, 1.0f}, {1, -0.75f}, {1, 0.0f},
                                                          {0, 9.0f}, {1, 2.0f}, {1, -0.1f}};
    for (std::size_t i = 0; i < residuals.size(); ++i) {
        SEISMIC_PHASE p = Pick(int(i % 3), int(i % 2), int(i), 100.0 - double(i));
        p.hasResidual = residuals[i].first;
        p.residual = residuals[i].second;
        picks.push_back(p);
    }
    std::vector<SEISMIC_PHASE*> rows;
    for (auto& p : picks) rows.push_back(&p);
    auto residualsOf = [&] {
        std::vector<std::string> out;
        for (auto* p : rows) out.push_back(PhaseCellText(*p, kColResidual, catalogue, &stations));
        return out;
    };
    SortPhaseRows(rows, kColResidual, false, catalogue, &stations);
    EXPECT_EQ(residualsOf(),
              (std::vector<std::string>{"-0.750", "-0.100", "0.000", "0.500", "2.000", "", ""}));
    EXPECT_EQ(rows[5]->phaseIndex, 1);  // the missing ones keep their order
    SortPhaseRows(rows, kColResidual, true, catalogue, &stations);
    EXPECT_EQ(residualsOf(),
              (std::vector<std::string>{"", "", "2.000", "0.500", "0.000", "-0.100", "-0.750"}));

    // Station name, ties by time; channel name, ties by station name, then time.
    SortPhaseRows(rows, kColStation, false, catalogue, &stations);
    std::vector<std::string> order;
    for (auto* p : rows)
        order.push_back(stations.StationName(p->stationIndex) + std::to_string(int(p->time)));
    EXPECT_EQ(order,
              (std::vector<std::string>{"ARU96", "ARU99", "KIV95", "KIV98", "OBN94", "OBN97", "OBN100"}));
    SortPhaseRows(rows, kColChannel, false, catalogue, &stations);
    for (std::size_t i = 1; i < rows.size(); ++i) {
        auto key = [&](SEISMIC_PHASE* p) {
            return std::tuple(stations.ChannelName(p->stationIndex, p->channelIndex),
                              stations.StationName(p->stationIndex), p->time);
        };
        EXPECT_LE(key(rows[i - 1]), key(rows[i]));
    }
    SortPhaseRows(rows, kColTime, true, catalogue, &stations);
    for (std::size_t i = 1; i < rows.size(); ++i) EXPECT_GE(rows[i - 1]->time, rows[i]->time);
    SortPhaseRows(rows, kColPhase, false, catalogue, &stations);
    for (std::size_t i = 1; i < rows.size(); ++i)
        EXPECT_LE(catalogue.Name(rows[i - 1]->phaseIndex), catalogue.Name(rows[i]->phaseIndex));
    // Other columns leave the order.
    const std::vector<SEISMIC_PHASE*> before = rows;
    SortPhaseRows(rows, kColMb, false, catalogue, &stations);
    EXPECT_EQ(rows, before);

    // Many rows with missing, zero, negative and NaN values: the result is ordered by the key and
    // sorting it again changes nothing (an inconsistent comparator fails one or the other).
    std::mt19937 random(5);
    std::vector<SEISMIC_PHASE> many(500);
    std::vector<SEISMIC_PHASE*> manyRows;
    for (auto& p : many) {
        const int kind = int(random() % 5);
        p.distance = kind == 0 ? -1.0f : kind == 1 ? 0.0f : kind == 2 ? NAN : float(random() % 50);
        p.backAzimuth = float(int(random() % 4) - 1);
        manyRows.push_back(&p);
    }
    for (int column : {kColDistance, kColBackAzimuth}) {
        SortPhaseRows(manyRows, column, false, catalogue, &stations);
        const std::vector<SEISMIC_PHASE*> once = manyRows;
        SortPhaseRows(manyRows, column, false, catalogue, &stations);
        EXPECT_EQ(manyRows, once);
        bool missingSeen = false;
        float last = -1e9f;
        for (auto* p : manyRows) {
            const bool present = column == kColDistance ? p->distance > 0 : p->backAzimuth > -1;
            const float value = column == kColDistance ? p->distance : p->backAzimuth;
            if (!present) {
                missingSeen = true;
                continue;
            }
            EXPECT_FALSE(missingSeen) << "a present value after a missing one";
            EXPECT_GE(value, last);
            last = value;
        }
    }
}

TEST(PhaseListTable, ManualPickAndItsMessages) {
    PhaseCatalogue catalogue;
    catalogue.Load(kIasp91, "");
    ManualPick in;
    in.channel = 1;
    in.phase = catalogue.IndexOf("Sg");
    in.time = "12:20:23.5";
    in.date = "14-06-13";
    EXPECT_EQ(BuildManualPick(in, catalogue).error, "Выберите сейсмическую станцию");
    in.station = 2;
    for (const char* bad : {"31-06-13", "14-13-13", "", "14-06", "14/0x/13", "14-06-013"}) {
        in.date = bad;
        EXPECT_EQ(BuildManualPick(in, catalogue).error, "Введите правильную дату") << bad;
    }
    in.date = "14-06-13";
    for (const char* bad : {"24:00:00", "12:60:00", "12:20:60", "12:20", "a:b:c", "12:20:-1", "12:20:1e1"}) {
        in.time = bad;
        EXPECT_EQ(BuildManualPick(in, catalogue).error, "Введите правильное время") << bad;
    }
    in.time = " 12:20:23.5 ";
    ManualPickResult ok = BuildManualPick(in, catalogue);
    ASSERT_TRUE(ok.pick) << ok.error;
    EXPECT_DOUBLE_EQ(ok.pick->time, CalendarToEpoch(2013, 6, 14, 12, 20, 23.5));
    EXPECT_EQ(ok.pick->hundredths, 50);
    EXPECT_EQ(ok.pick->included, 1);
    EXPECT_EQ(ok.pick->savable, 1);
    EXPECT_EQ(std::tuple(ok.pick->stationIndex, ok.pick->channelIndex), std::tuple(2, 1));

    in.date = "02-03-1965";  // four-digit years too; 70..99 mean the 1900s
    EXPECT_EQ(BuildManualPick(in, catalogue).pick->year, 1965);
    in.date = "02-03-71";
    EXPECT_EQ(BuildManualPick(in, catalogue).pick->year, 1971);
    in.phase = catalogue.IndexOf("E");  // a marker is never included
    EXPECT_EQ(BuildManualPick(in, catalogue).pick->included, 0);
    in.phase = 999;
    EXPECT_EQ(BuildManualPick(in, catalogue).error, "Выберите фазу");
    in.phase = 0;
    in.channel = -1;
    EXPECT_EQ(BuildManualPick(in, catalogue).error, "Выберите канал");
}

TEST(PhaseListTable, EditDialogRefusesADuplicatePhaseAndKeepsTheRules) {
    PhaseCatalogue catalogue;
    catalogue.Load(kIasp91, "");
    ZELPhases list;
    list.Add(Pick(0, 0, catalogue.IndexOf("Pn"), 10));
    SEISMIC_PHASE sn = Pick(0, 0, catalogue.IndexOf("Sn"), 20);
    sn.included = 1;
    sn.savable = 0;
    list.Add(sn);
    list.Add(Pick(0, 1, catalogue.IndexOf("Sg"), 30));
    SEISMIC_PHASE& stored = *list.Find(0, 0, catalogue.IndexOf("Sn"));

    PhaseEdit edit;
    edit.phase = catalogue.IndexOf("Pn");
    edit.firstMotion = 5;
    EXPECT_EQ(ApplyPhaseEdit(list, stored, edit, catalogue), "Выбранная фаза уже существует");
    EXPECT_EQ(stored.phaseIndex, catalogue.IndexOf("Sn"));
    EXPECT_EQ(stored.firstMotion, 0);

    edit.phase = catalogue.IndexOf("Sg");  // Sg exists on another channel only
    edit.weight = 2;
    edit.onset = kOnsetWeak;
    edit.chanType = "SP";
    edit.remark = std::string(79, 'x') + "яя";
    EXPECT_EQ(ApplyPhaseEdit(list, stored, edit, catalogue), std::nullopt);
    EXPECT_EQ(stored.phaseIndex, catalogue.IndexOf("Sg"));
    EXPECT_EQ(OnsetCodeText(stored), "Wc2");
    EXPECT_EQ(stored.remark, std::string(79, 'x') + "я");  // 80 characters, not 80 bytes
    EXPECT_EQ(stored.chanType, "SP");
    EXPECT_EQ(stored.savable, 1);
    EXPECT_EQ(stored.included, 1);

    edit.phase = catalogue.IndexOf("Tk");  // no curve: no longer included
    EXPECT_EQ(ApplyPhaseEdit(list, stored, edit, catalogue), std::nullopt);
    EXPECT_EQ(stored.included, 0);
    edit.phase = -3;
    EXPECT_EQ(ApplyPhaseEdit(list, stored, edit, catalogue), "Выберите фазу");
}

}  // namespace
}  // namespace zel
