#include "events/EventStore.h"

#include <cmath>
#include <cstdio>
#include <set>

#include "base/Strings.h"
#include "base/TimeConversions.h"
#include "base/ZelError.h"
#include "db/Databases.h"
#include "db/TransactionLock.h"
#include "events/EventKeys.h"
#include "events/NetworkMagnitudes.h"
#include "events/PhaseCatalogue.h"
#include "events/StationPhasePicks.h"
#include "events/ZELPhases.h"

namespace zel {
namespace {

// Every comparison of ids drops trailing blanks on the stored side too: other tools write them unpadded.
constexpr const char* kIdMatches = " where RTRIM(EVENTID)=?";

std::string LocalStamp(std::time_t when, const char* format) {
    std::tm local{};
    localtime_r(&when, &local);
    char text[32];
    std::strftime(text, sizeof text, format, &local);
    return text;
}

Db::Value Text(std::string_view text, std::size_t width) {
    return CutToWidth(std::string(text), std::min(width, kEventTextWidth));
}

Db::Value RealOrNull(bool known, double value) {
    if (!known || !std::isfinite(value)) return Db::Null{};
    return value;
}

// Fixed three decimals, as the origin row has always been written.
Db::Value Three(double value) { return std::round(value * 1000.0) / 1000.0; }

int FirstMotionCode(const std::string& letter) {
    switch (letter.empty() ? ' ' : letter[0]) {
        case 'U':
            return 0;
        case 'D':
            return 1;
        case '+':
            return 2;
        case '-':
            return 3;
        case 'c':
            return 5;
        case 'd':
            return 6;
        case 'u':
            return 7;
        case 'r':
            return 8;
        default:
            return 4;
    }
}

std::optional<int> OnsetCodeOf(const std::string& letter) {
    switch (letter.empty() ? ' ' : letter[0]) {
        case 'E':
        case 'e':
            return kOnsetEmergent;
        case 'I':
        case 'i':
            return kOnsetImpulsive;
        case 'W':
        case 'w':
            return kOnsetWeak;
        case '-':
            return kOnsetNone;
        default:
            return std::nullopt;
    }
}

Db::Value Positive(double value) { return value > 0 ? Db::Value(value) : Db::Value(Db::Null{}); }

}  // namespace

std::string PadEventId(std::string_view id) {
    std::string out = CutToWidth(std::string(id), kEventIdWidth);
    out.resize(kEventIdWidth, ' ');
    return out;
}

std::string TrimEventId(std::string_view id) {
    const auto end = id.find_last_not_of(' ');
    return end == std::string_view::npos ? std::string() : std::string(id.substr(0, end + 1));
}

std::string NewEventIdFor(std::time_t when) { return LocalStamp(when, "%Y%m%d%H%M%S"); }

std::string ProposedEventId(const ZELPhases& picks, std::time_t now) {
    const std::optional<double> first = picks.FirstTime();
    const std::optional<CalendarTime> c = first ? EpochToCalendar(*first) : std::nullopt;
    if (!c) return NewEventIdFor(now);
    char text[32];
    std::snprintf(text, sizeof text, "%04d%02d%02d%02d%02d%02d", c->year, c->month, c->day, c->hour, c->minute,
                  c->wholeSecond());
    return text;
}

std::string EventWaitText(std::string_view eventId) {
    return Tr("Ожидание: событие %1 сохраняется с другого рабочего места...").arg(TrimEventId(eventId));
}

std::string EventBeingSavedText(std::string_view eventId) {
    return Tr("Событие %1 сейчас сохраняется с другого рабочего места; повторите позже")
        .arg(TrimEventId(eventId));
}

std::string EventListQuery(DbDialect dialect, const std::string& commentColumn, bool all, int maxEvents) {
    const std::string columns = "EVENTID, LAT, LON, DEPTH, ORIGINTIME, LDDATE, " + commentColumn + ",ORID";
    const std::string order = " order by LDDATE desc, ORIGINTIME desc";
    const std::string n = std::to_string(std::max(maxEvents, 0));
    if (!all) {
        switch (dialect) {
            case kDialectAccess:
            case kDialectSqlServer:
                return "select TOP " + n + " " + columns + " from ORIGIN" + order;
            case kDialectOracle:
                return "select " + columns + " from (SELECT * from ORIGIN" + order + ") where rownum <=" + n;
            case kDialectMySql:
            case kDialectPostgres:
            case kDialectSqlite:
                return "select " + columns + " from ORIGIN" + order + " LIMIT " + n;
        }
    }
    return "select " + columns + " from ORIGIN" + order;
}

Db::Value OriginMagnitude(float magnitude, float value) {
    if (magnitude == 999.0f || magnitude == -999.0f) return Db::Null{};
    return Three(value);
}

EventStore::EventStore(Databases& databases, ZELPhases& phases, CurrentEvent& event,
                       const PhaseCatalogue& catalogue, const std::vector<Station>& stations)
    : databases_(databases), phases_(phases), event_(event), catalogue_(catalogue), stations_(stations) {}

std::string EventStore::Now() const { return "{ts '" + LocalStamp(clock(), "%Y-%m-%d %H:%M:%S") + "'}"; }

std::string EventStore::CommentColumn() const { return databases_.originCommentColumn(); }

bool EventStore::EventExists(std::string_view eventId) {
    Db::Statement st(databases_.work());
    st.execute(std::string("select EVENTID from ORIGIN") + kIdMatches, {TrimEventId(eventId)});
    return st.fetch();
}

std::int64_t EventStore::CreateEventRow(std::string_view eventId, std::string_view comment) {
    const std::string id = PadEventId(eventId);
    if (TrimEventId(id).empty()) throw ZelError(kEmptyEventId);
    if (EventExists(id)) throw ZelError(kDuplicateEventId);
    // Drawn before the transaction: the key counter commits on its own.
    const std::int64_t orid = DrawKey(databases_, "orid", kNoNewOrid);
    Db::Connection& work = databases_.work();
    Db::Transaction transaction(work);
    LockEvent(id);
    if (EventExists(id)) throw ZelError(kDuplicateEventId);
    work.execute(
        "insert into ORIGIN (EVENTID, " + CommentColumn() + ", LDDATE, ORID) values (?, ?, " + Now() + ", ?)",
        {id, Text(comment, kEventTextWidth), orid});
    transaction.commit();
    return orid;
}

void EventStore::NewEvent(std::string_view eventId, std::string_view comment) {
    const std::string id = PadEventId(eventId);
    const std::int64_t orid = CreateEventRow(id, comment);
    event_.eventId = id;
    event_.comment = std::string(comment);
    event_.orid = static_cast<std::int32_t>(orid);
    phases_.RemoveAll();
    event_.depth = 0.0f;
    event_.originTime = 0.0;
    event_.hypocentreValid = false;
    event_.ellipse = {};
    event_.mb = kMagnitudeNone;
    event_.ms = kMagnitudeNone;
}

void EventStore::SelectForSave(const EventListRow& row) {
    if (TrimEventId(row.eventId) == TrimEventId(event_.eventId)) return;
    event_.eventId = PadEventId(TrimEventId(row.eventId));
    event_.orid =
        row.orid && *row.orid > 0 && *row.orid <= INT32_MAX ? static_cast<std::int32_t>(*row.orid) : -1;
    event_.comment = row.comment;
}

void EventStore::CheckSavable() const {
    if (TrimEventId(event_.eventId).empty()) throw ZelError(kEmptyEventId);
    for (int i = 0; i < phases_.Count(); ++i) {
        const SEISMIC_PHASE& pick = *phases_.GetAt(i);
        if (!pick.savable) continue;
        const bool known = pick.stationIndex >= 0 && pick.stationIndex < static_cast<int>(stations_.size()) &&
                           pick.channelIndex >= 0 && pick.channelIndex < kSlotsPerStation;
        // Refused as a whole rather than saved without a pick the analyst cannot see is missing.
        if (!known || catalogue_.Name(pick.phaseIndex).empty())
            throw ZelError(Tr("Фаза %1 относится к неизвестной станции, каналу или фазе").arg(i + 1));
    }
}

std::optional<std::int64_t> EventStore::StoredOrid(std::string_view eventId) {
    Db::Statement st(databases_.work());
    st.execute(std::string("select ORID from ORIGIN") + kIdMatches, {TrimEventId(eventId)});
    std::optional<std::int64_t> orid;
    while (st.fetch())
        if (const auto value = st.integer(0); value && *value > 0 && *value <= INT32_MAX) orid = value;
    return orid;
}

void EventStore::DrawKeys() {
    // A re-save is the same origin: its CSS copy is replaced rather than joined by another.
    if (const auto stored = StoredOrid(event_.eventId)) event_.orid = static_cast<std::int32_t>(*stored);
    if (event_.orid <= 0) event_.orid = DrawKey(databases_, "orid", kNoNewOrid);
    std::set<std::int32_t> aridsInSave;
    for (int i = 0; i < phases_.Count(); ++i) {
        SEISMIC_PHASE& pick = *phases_.GetAt(i);
        if (!pick.savable) continue;
        // A bulletin phase put on both horizontal channels brings its one id to two picks; each
        // arrival row needs its own.
        if (pick.arid <= 0 || !aridsInSave.insert(pick.arid).second) {
            pick.arid = DrawKey(databases_, "arid", kNoNewArid);
            aridsInSave.insert(pick.arid);
        }
    }
}

void EventStore::LockEvent(const std::string& id) {
    try {
        Db::LockForTransaction(databases_.work(), databases_.dialect(), "ORIGIN " + TrimEventId(id),
                               [&] { databases_.tellWaiting(EventWaitText(id)); });
    } catch (const Db::Error& error) {
        if (Db::IsLockWaitFailure(error)) throw ZelError(EventBeingSavedText(id));
        throw;
    }
}

void EventStore::SavePhaseList() {
    CheckSavable();
    const std::string id = PadEventId(event_.eventId);
    // Keys first: the key counter has its own transaction on this connection, which must not
    // commit half of the save.
    DrawKeys();
    RecomputeNetworkMagnitudes(phases_, event_);
    struct Row {
        const SEISMIC_PHASE* pick;
        std::string station;
        std::string channel;
    };
    std::vector<Row> rows;
    for (int i = 0; i < phases_.Count(); ++i) {
        const SEISMIC_PHASE* pick = phases_.GetAt(i);
        if (!pick->savable) continue;
        const Station& station = stations_[pick->stationIndex];
        rows.push_back({pick, station.code, station.slots[pick->channelIndex].channel});
    }

    Db::Connection& work = databases_.work();
    const std::string now = Now();
    std::string stage = kOriginSaveFailed;
    try {
        Db::Transaction transaction(work);
        LockEvent(id);
        // Another program may have stored this id first while the keys were drawn: its orid stays.
        if (const auto stored = StoredOrid(id)) event_.orid = static_cast<std::int32_t>(*stored);
        const CurrentEvent& e = event_;
        work.execute(std::string("delete from ORIGIN") + kIdMatches, {TrimEventId(id)});
        work.execute(
            "insert into ORIGIN (EVENTID, ORID, LAT, LON, DEPTH, ORIGINTIME, MB, MS, MBUNC, MSUNC, " +
                CommentColumn() + ", LDDATE) values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, " + now + ")",
            {id, std::int64_t{e.orid}, e.hypocentreValid ? Three(e.lat) : Db::Null{},
             e.hypocentreValid ? Three(e.lon) : Db::Null{}, e.depth >= 0 ? Three(e.depth) : Db::Null{},
             e.originTime > 0 ? Three(e.originTime) : Db::Null{}, OriginMagnitude(e.mb, e.mb),
             OriginMagnitude(e.ms, e.ms), OriginMagnitude(e.mb, e.mbVariance),
             OriginMagnitude(e.ms, e.msVariance), Text(e.comment, kEventTextWidth)});

        stage.clear();
        work.execute(std::string("delete from ARRIVAL") + kIdMatches, {TrimEventId(id)});
        const std::string insert =
            "insert into ARRIVAL (EVENTID, STA, CHAN, IPHASE, ITIME, DELTIM, AZIMUTH, EMA, RECT, FM, IM_EM, "
            "PER, "
            "RESIDUALS, AMPL, LDDATE, WGT, FLAG, ARID, DIST, MS, MB, MPLP, MPSP, AMPTIME, CODA, REGCLASS, "
            "MCODA, "
            "CHANTYPE, REMARK, AFILTYPE, PFILTYPE, ML) values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, " +
            now + ", ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)";
        int written = 0;
        for (const Row& row : rows) {
            const SEISMIC_PHASE& p = *row.pick;
            const bool az = p.hasAzimuth != 0;
            const bool amp = p.hasAmplitude != 0;
            work.execute(insert, {id,
                                  Text(row.station, 32),
                                  Text(row.channel, 16),
                                  Text(catalogue_.Name(p.phaseIndex), 16),
                                  p.time,
                                  p.deltim,
                                  RealOrNull(az, p.azimuth),
                                  RealOrNull(az, p.emergence),
                                  RealOrNull(az, p.rectilinearity),
                                  std::string(FirstMotionLetter(p.firstMotion)),
                                  std::string(OnsetLetter(p.onset)),
                                  RealOrNull(amp, p.period),
                                  RealOrNull(p.hasResidual != 0, p.residual),
                                  RealOrNull(amp, p.amplitude),
                                  std::int64_t{p.weight},
                                  std::int64_t{p.included},
                                  std::int64_t{p.arid},
                                  Positive(p.distance),
                                  Positive(p.ms),
                                  Positive(p.mb),
                                  Positive(p.mplp),
                                  Positive(p.mpsp),
                                  RealOrNull(amp, p.ampTime),
                                  Positive(p.coda),
                                  Positive(p.energyClass),
                                  Positive(p.mcoda),
                                  Text(p.chanType, 4),
                                  Text(p.remark, 128),
                                  Text(p.ampFilter, 128),
                                  Text(p.pickFilter, 128),
                                  Positive(p.ml)});
            ++written;
            if (afterArrivalWritten) afterArrivalWritten(written);
        }

        stage = kOriginSaveFailed;
        work.execute("update ORIGIN set ORID=?" + std::string(kIdMatches),
                     {std::int64_t{e.orid}, TrimEventId(id)});
        stage.clear();
        transaction.commit();
    } catch (const Db::Error& error) {
        throw ZelError(stage.empty() ? std::string(error.what()) : Tr(stage.c_str()) + "\n" + error.what());
    }
    event_.eventId = id;
}

void EventStore::LoadPhaseList(std::string_view eventId, bool replace) {
    UndoneOnFailure([&] { ReadPhaseList(eventId, replace); });
}

void EventStore::UndoneOnFailure(const std::function<void()>& load) {
    ZELPhases phasesBefore = phases_;
    CurrentEvent eventBefore = event_;
    try {
        load();
    } catch (...) {
        phases_ = std::move(phasesBefore);
        event_ = std::move(eventBefore);
        throw;
    }
}

void EventStore::ReadPhaseList(std::string_view eventId, bool replace) {
    const std::string key = TrimEventId(eventId);
    if (replace) {
        event_.orid = -1;
        event_.eventId = PadEventId(key);
        phases_.RemoveAll();
    }
    Db::Connection& work = databases_.work();
    {
        Db::Statement st(work);
        st.execute(std::string("select STA, CHAN, IPHASE, ITIME, DELTIM, AZIMUTH, EMA, RECT, FM, IM_EM, PER, "
                               "RESIDUALS, AMPL, WGT, FLAG, ARID, DIST, MS, MB, MPLP, MPSP, AMPTIME, CODA, "
                               "REGCLASS, MCODA, CHANTYPE, REMARK, AFILTYPE, PFILTYPE, ML from ARRIVAL") +
                       kIdMatches,
                   {key});
        while (st.fetch()) {
            const int station = FindStation(stations_, TrimmedColumn(st.text(0)));
            if (station < 0) continue;
            const int slot = stations_[station].FindSlot(TrimmedColumn(st.text(1)));
            const int phase = catalogue_.IndexOf(TrimmedColumn(st.text(2)));
            const std::optional<double> time = st.real(3);
            if (slot < 0 || phase < 0 || !time) continue;

            SEISMIC_PHASE p;
            p.stationIndex = station;
            p.channelIndex = slot;
            p.phaseIndex = phase;
            SetPickTime(p, *time);
            p.deltim = st.real(4).value_or(p.deltim);
            if (auto azimuth = st.real(5)) {
                p.hasAzimuth = 1;
                p.azimuth = static_cast<float>(*azimuth);
                p.emergence = static_cast<float>(st.real(6).value_or(p.emergence));
                p.rectilinearity = static_cast<float>(st.real(7).value_or(p.rectilinearity));
            }
            p.firstMotion = static_cast<std::uint8_t>(FirstMotionCode(st.text(8).value_or("")));
            if (auto onset = OnsetCodeOf(st.text(9).value_or("")))
                p.onset = static_cast<std::uint8_t>(*onset);
            const std::optional<double> period = st.real(10);
            if (auto residual = st.real(11)) {
                p.hasResidual = 1;
                p.residual = static_cast<float>(*residual);
            }
            // The save writes amplitude, period and their time only for a valid amplitude: reading
            // them back makes it valid again.
            if (auto amplitude = st.real(12); amplitude && period) {
                p.hasAmplitude = 1;
                p.amplitude = static_cast<float>(*amplitude);
                p.period = static_cast<float>(*period);
            }
            if (auto weight = st.integer(13); weight && *weight >= 0 && *weight <= kMaxWeight)
                p.weight = static_cast<std::uint8_t>(*weight);
            p.included = st.integer(14).value_or(p.included) != 0;
            if (auto arid = st.integer(15); arid && *arid > 0 && *arid <= INT32_MAX)
                p.arid = static_cast<std::int32_t>(*arid);
            p.distance = static_cast<float>(st.real(16).value_or(-1.0));
            p.ms = static_cast<float>(st.real(17).value_or(p.ms));
            p.mb = static_cast<float>(st.real(18).value_or(p.mb));
            p.mplp = static_cast<float>(st.real(19).value_or(p.mplp));
            p.mpsp = static_cast<float>(st.real(20).value_or(p.mpsp));
            p.ampTime = st.real(21).value_or(p.ampTime);
            p.coda = st.real(22).value_or(p.coda);
            p.energyClass = st.real(23).value_or(p.energyClass);
            p.mcoda = st.real(24).value_or(p.mcoda);
            p.chanType = st.text(25).value_or("");
            p.remark = st.text(26).value_or("");
            p.ampFilter = st.text(27).value_or("");
            p.pickFilter = st.text(28).value_or("");
            p.ml = static_cast<float>(st.real(29).value_or(p.ml));
            if (!catalogue_.HasCurve(phase)) p.included = 0;
            phases_.Add(p);
        }
    }
    if (!replace) return;

    Db::Statement st(work);
    st.execute("select LAT, LON, DEPTH, ORIGINTIME, MB, MS, MBUNC, MSUNC, " + CommentColumn() +
                   ", ORID from ORIGIN" + kIdMatches,
               {key});
    event_.ellipse = {};  // ORIGIN keeps no ellipse
    if (!st.fetch()) {
        event_.hypocentreValid = false;
        return;
    }
    const auto lat = st.real(0), lon = st.real(1), depth = st.real(2);
    event_.lat = static_cast<float>(lat.value_or(45.0));
    event_.lon = static_cast<float>(lon.value_or(45.0));
    event_.depth = static_cast<float>(depth.value_or(-1.0));
    event_.hypocentreValid = lat && lon && depth;
    event_.originTime = st.real(3).value_or(0.0);
    event_.mb = static_cast<float>(st.real(4).value_or(kMagnitudeNone));
    event_.ms = static_cast<float>(st.real(5).value_or(kMagnitudeNone));
    event_.mbVariance = static_cast<float>(st.real(6).value_or(-999.0));
    event_.msVariance = static_cast<float>(st.real(7).value_or(-999.0));
    event_.comment = st.text(8).value_or("");
    const std::optional<std::int64_t> orid = st.integer(9);
    st.closeCursor();
    event_.orid = static_cast<std::int32_t>(orid ? *orid : databases_.nextOrid());
}

std::optional<std::int64_t> EventStore::DeleteEvent(std::string_view eventId) {
    const std::string key = TrimEventId(eventId);
    Db::Connection& work = databases_.work();
    Db::Transaction transaction(work);
    LockEvent(key);
    std::optional<std::int64_t> orid;
    {
        Db::Statement st(work);
        st.execute(std::string("select ORID from ORIGIN") + kIdMatches, {key});
        if (st.fetch()) orid = st.integer(0);
    }
    work.execute(std::string("delete from ORIGIN") + kIdMatches, {key});
    work.execute(std::string("delete from ARRIVAL") + kIdMatches, {key});
    transaction.commit();
    return orid;
}

bool EventStore::StoreHypocentre(std::string_view eventId, const CurrentEvent& h) {
    if (!EventExists(eventId)) return false;
    databases_.work().execute("update ORIGIN set LAT=?, LON=?, DEPTH=?, ORIGINTIME=?, " + CommentColumn() +
                                  "=?, ORID=?, LDDATE=" + Now() + kIdMatches,
                              {double{h.lat}, double{h.lon}, double{h.depth}, h.originTime,
                               Text(h.comment, kEventTextWidth), std::int64_t{h.orid}, TrimEventId(eventId)});
    return true;
}

std::vector<EventListRow> EventStore::ListEvents(bool all, int maxEvents) {
    Db::Statement st(databases_.work());
    st.execute(EventListQuery(databases_.dialect(), CommentColumn(), all, maxEvents));
    std::vector<EventListRow> rows;
    while (st.fetch()) {
        EventListRow row;
        row.eventId = st.text(0).value_or("");
        row.lat = st.real(1);
        row.lon = st.real(2);
        row.depth = st.real(3);
        row.originTime = st.real(4);
        row.loadDate = st.text(5).value_or("");
        row.comment = st.text(6).value_or("");
        row.orid = st.integer(7);
        rows.push_back(std::move(row));
    }
    return rows;
}

}  // namespace zel
