// The dialogs of distances, regions and travel times driven through their widgets: typed points,
// the region editor against a real CONTREG table, the calculator and the distance estimate.

#include "events/ui/GeometryDialogs.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QButtonGroup>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTreeWidget>

#include "base/MessageSink.h"
#include "base/PrivateProfile.h"
#include "db/Databases.h"
#include "db/Odbc.h"
#include "events/CurrentEvent.h"
#include "events/PhaseCatalogue.h"
#include "events/ZELPhases.h"
#include "events/ui/TravelTimeDialogs.h"
#include "support/TempDir.h"

namespace zel {
namespace {

const PhaseCatalogue& Iasp91() {
    static const PhaseCatalogue catalogue = [] {
        PhaseCatalogue c;
        c.Load(std::string(ZEL_RESOURCES_DIR) + "/traveltimes/iasp91/", "/nowhere/");
        return c;
    }();
    return catalogue;
}

TEST(DistAzDialog, PresetsTheEpicentreAndRefusesOutOfRangePoints) {
    CurrentEvent event;
    EXPECT_EQ(CDistAzDlg(event).field(0)->text(), "0");
    event.hypocentreValid = true;
    event.lat = 52.016f;
    event.lon = 105.456f;
    CDistAzDlg dialog(event);
    EXPECT_EQ(dialog.field(0)->text(), "52.02");
    EXPECT_EQ(dialog.field(1)->text(), "105.46");
    EXPECT_EQ(dialog.field(2)->text(), "0.");

    dialog.field(0)->setText("0");
    dialog.field(1)->setText("0");
    dialog.field(3)->setText("90");
    ASSERT_TRUE(dialog.calculate());
    EXPECT_EQ(dialog.resultText(), "90.00 90.00 270.00");
    // Due north: the back azimuth is 180 and the azimuth 0.00, never -0.00.
    dialog.field(2)->setText("10");
    dialog.field(3)->setText("0");
    ASSERT_TRUE(dialog.calculate());
    EXPECT_EQ(dialog.resultText(), "9.93 0.00 180.00");

    dialog.field(2)->setText("90.5");
    EXPECT_FALSE(dialog.calculate());
    dialog.field(2)->setText("10");
    dialog.field(1)->setText("east");
    EXPECT_FALSE(dialog.calculate());
    EXPECT_EQ(dialog.resultText(), "9.93 0.00 180.00");  // the last answer stays
}

struct RegionDb {
    RegionDb() : db(Settings(dir.file("zel.db")), messages) { EXPECT_EQ(db.openWorkDb(), 1); }
    static DatabaseSettings Settings(const std::string& file) {
        DatabaseSettings s;
        s.odbc = "Driver=SQLite3;Database=" + file + ";";
        s.localLastId = true;
        return s;
    }
    test::TempDir dir;
    RecordingMessageSink messages;
    Databases db;
};

TEST(MonitoredRegionEditor, AddsEditsAndRemovesThroughTheTable) {
    RegionDb env;
    RecordingMessageSink messages;
    MonitoredRegions regions;
    CContRegDlg editor(regions, env.db.work(), messages);
    int changes = 0;
    editor.onChanged = [&] { ++changes; };

    // The region dialog as the analyst fills it.
    QString name = "Байкал";
    editor.runRegionDialog = [&](CRegionDlg& d) {
        d.nameEdit()->setText(name);
        d.cornerEdit(0)->setText("51");
        d.cornerEdit(1)->setText("103.5");
        d.cornerEdit(2)->setText("56");
        d.cornerEdit(3)->setText("110");
        d.accept();
        return d.result() == QDialog::Accepted;
    };
    editor.add();
    name = "O'Neil";
    editor.add();
    ASSERT_EQ(editor.list()->topLevelItemCount(), 2);
    EXPECT_EQ(editor.list()->topLevelItem(0)->text(2), "103.500");

    // A name another region has is refused with its message; the list stays.
    name = "Байкал";
    editor.add();
    EXPECT_EQ(regions.regions().size(), 2u);
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_EQ(messages.messages()[0].text, "Регион уже существует! Выберите другое имя.");

    // Editing keeps its own name allowed.
    editor.list()->setCurrentItem(editor.list()->topLevelItem(1));
    name = "O'Neil";
    editor.edit();
    EXPECT_EQ(messages.messages().size(), 1u);

    MonitoredRegions stored;
    stored.load(env.db.work());
    ASSERT_EQ(stored.regions().size(), 2u);
    EXPECT_EQ(stored.regions()[1].name, "O'Neil");

    editor.list()->setCurrentItem(editor.list()->topLevelItem(0));
    editor.remove();
    stored.load(env.db.work());
    ASSERT_EQ(stored.regions().size(), 1u);
    EXPECT_EQ(changes, 4);

    // A statement that fails: the message, and nothing changes in memory.
    env.db.work().execute("drop table CONTREG");
    editor.list()->setCurrentItem(editor.list()->topLevelItem(0));
    editor.remove();
    EXPECT_EQ(regions.regions().size(), 1u);
    EXPECT_EQ(messages.messages().back().text, kMonitoredRegionWriteError);
    EXPECT_EQ(changes, 4);
}

TEST(PlaneWaveResult, NumbersAboveOneWithOneDecimal) {
    EXPECT_EQ(CPlaneWaveResultDlg::Number(22.239), "22.2");
    EXPECT_EQ(CPlaneWaveResultDlg::Number(0.04512), "0.0451");
    PlaneWaveFit fit;
    fit.azimuth = 359.99;
    fit.slowness = 5;
    fit.velocity = 22.239;
    CPlaneWaveResultDlg dialog(fit);
    EXPECT_EQ(dialog.findChild<QLabel*>("Азимут")->text(), "0.0");
}

TEST(TravelTimeDialogs, CalculatorAndDistanceEstimate) {
    RecordingMessageSink messages;
    CTravelTimeDlg calculator(Iasp91(), messages);
    calculator.phaseBox()->setCurrentText("P");
    calculator.distanceEdit()->setText("30");
    calculator.calculate();
    EXPECT_TRUE(calculator.answer()->text().startsWith("Время пробега=00:06:1"))
        << calculator.answer()->text().toStdString();
    calculator.phaseBox()->setCurrentText("Pxyz");
    calculator.calculate();
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_EQ(messages.messages()[0].text, "В системе отсутствует годограф Pxyz");

    // Two picks 10 degrees apart in S-P; the answer shown for OK, and accepted.
    ZELPhases phases;
    const double t0 = 1371211697.37;
    const float p10 = Iasp91().TravelTime(Iasp91().IndexOf("P"), 10, 10);
    const float s10 = Iasp91().TravelTime(Iasp91().IndexOf("S"), 10, 10);
    for (auto [phase, t] : {std::pair{"P", t0 + p10}, {"S", t0 + s10}}) {
        SEISMIC_PHASE pick;
        pick.stationIndex = 1;
        pick.channelIndex = 2;
        pick.phaseIndex = Iasp91().IndexOf(phase);
        SetPickTime(pick, t);
        phases.Add(pick);
    }
    messages.clear();
    CDistanceEstimateDlg estimate(Iasp91(), phases, messages, "ARS", 1, 2, 10, nullptr);
    EXPECT_EQ(estimate.firstBox()->currentText(), "P");
    EXPECT_EQ(estimate.secondBox()->currentText(), "S");
    std::optional<DistanceEstimate> accepted;
    estimate.onAccepted = [&](const DistanceEstimate& e, int, int, float depth) {
        accepted = e;
        EXPECT_EQ(depth, 10.0f);
    };
    estimate.calculate();
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_TRUE(messages.messages()[0].text.starts_with("Расстояние до эпицентра 10.0"));
    ASSERT_TRUE(accepted);
    EXPECT_NEAR(accepted->distance, 10.0, 0.01);
    EXPECT_NEAR(accepted->originTime, t0, 0.05);

    // Cancel leaves everything; equal phases are refused.
    accepted.reset();
    messages.queueAnswer(MessageAnswer::Cancel);
    estimate.calculate();
    EXPECT_FALSE(accepted);
    estimate.secondBox()->setCurrentText("P");
    estimate.calculate();
    EXPECT_EQ(messages.messages().back().text, "Фазы совпадают");
}

TEST(PhasePlacementDialog, PresetsAndPlacementOnTheActiveChannel) {
    test::TempDir dir;
    PrivateProfile ini(dir.file("ZEL.ini"));
    ini.writeString("PRESELECTED PHASES", "Teleseismic", "P;pP;PcP");
    RecordingMessageSink messages;
    CPhasePlacementDlg dialog(Iasp91(), ini, messages);
    auto checked = [&] {
        std::vector<std::string> names;
        for (int i = 0; i < dialog.phaseList()->count(); ++i)
            if (dialog.phaseList()->item(i)->checkState() == Qt::Checked)
                names.push_back(dialog.phaseList()->item(i)->text().toStdString());
        return names;
    };
    dialog.checkSet(0);
    EXPECT_EQ(checked(), (std::vector<std::string>{"P", "PcP", "pP"}));  // catalogue order
    dialog.checkSet(-1);
    EXPECT_TRUE(checked().empty());

    // No active pane: the message and nothing placed.
    std::vector<SEISMIC_PHASE> added;
    dialog.addPicks = [&](const std::vector<SEISMIC_PHASE>& picks) { added = picks; };
    dialog.checkSet(0);
    dialog.place();
    EXPECT_EQ(messages.messages().back().text, "Не выбрано главное окно");
    EXPECT_TRUE(added.empty());

    // From the origin time: P, pP and PcP at 45 degrees and 100 km on channel (4, 1).
    dialog.activeChannel = [] { return std::optional<std::pair<int, int>>({4, 1}); };
    dialog.currentParameters = [] {
        PlacementRequest r;
        r.originTime = 1371212441.80;
        r.depth = 100;
        r.distance = 45;
        return std::optional<PlacementRequest>(r);
    };
    dialog.loadCurrent();
    EXPECT_EQ(dialog.distanceBox()->value(), 45.0);
    EXPECT_EQ(dialog.depthBox()->value(), 100.0);
    dialog.place();
    ASSERT_EQ(added.size(), 3u);
    const double p = 1371212441.80 + Iasp91().TravelTime(Iasp91().IndexOf("P"), 100, 45);
    EXPECT_NEAR(added[0].time, p, 1e-3);
    EXPECT_EQ(added[0].stationIndex, 4);
    EXPECT_EQ(added[0].channelIndex, 1);

    // Relative to a P pick 3 s later: the origin time shown moves by 3 s.
    ZELPhases picks;
    SEISMIC_PHASE pick = added[0];
    SetPickTime(pick, p + 3);
    picks.Add(pick);
    dialog.phases = &picks;
    dialog.modeGroup()->button(static_cast<int>(PlacementMode::FromPhase))->setChecked(true);
    dialog.place();
    EXPECT_NEAR(dialog.originEdit()->dateTime().toMSecsSinceEpoch() / 1000.0, 1371212441.80 + 3, 2e-3);
    EXPECT_NEAR(added[0].time, p + 3, 2e-3);
}

}  // namespace
}  // namespace zel
