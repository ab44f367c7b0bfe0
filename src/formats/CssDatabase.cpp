#include "formats/CssDatabase.h"

#include <optional>
#include <set>

#include "base/ZelError.h"
#include "data/StationModel.h"
#include "db/Databases.h"
#include "events/CurrentEvent.h"
#include "events/ZELPhases.h"

namespace zel {
namespace {

// Text cut to its CSS column, so that a long ZEL name never fails the save.
Db::Value T(const std::string& text, std::size_t width) { return CutToWidth(text, width); }
Db::Value I(std::int64_t value) { return value; }

std::string Now(std::time_t when) {
    std::tm local{};
    localtime_r(&when, &local);
    char text[32];
    std::strftime(text, sizeof text, "{ts '%Y-%m-%d %H:%M:%S'}", &local);
    return text;
}

void WriteOrigin(Db::Connection& css, const CssOrigin& o, const std::string& now) {
    bool exists = false;
    {
        Db::Statement st(css);
        st.execute("select orid from origin where orid=?", {I(o.orid)});
        exists = st.fetch();
    }
    // An existing row keeps what other programs wrote into the fields ZEL does not own.
    if (exists) {
        css.execute(
            "update origin set lat=?, lon=?, depth=?, time=?, jdate=?, nass=?, ndef=?, mb=?, ms=?, "
            "algorithm=?, auth=?, commid=?, lddate=" +
                now + " where orid=?",
            {o.lat, o.lon, o.depth, o.time, I(o.jdate), I(o.nass), I(o.ndef), o.mb, o.ms, T(o.algorithm, 15),
             T(o.auth, 15), I(o.commid), I(o.orid)});
        return;
    }
    css.execute(
        "insert into origin (lat, lon, depth, time, orid, evid, jdate, nass, ndef, ndp, grn, srn, etype, "
        "depdp, dtype, mb, mbid, ms, msid, ml, mlid, algorithm, auth, commid, lddate) values "
        "(?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, " +
            now + ")",
        {o.lat,         o.lon,
         o.depth,       o.time,
         I(o.orid),     I(o.evid),
         I(o.jdate),    I(o.nass),
         I(o.ndef),     I(o.ndp),
         I(o.grn),      I(o.srn),
         T(o.etype, 7), o.depdp,
         std::string(), o.mb,
         I(o.mbid),     o.ms,
         I(o.msid),     o.ml,
         I(o.mlid),     T(o.algorithm, 15),
         T(o.auth, 15), I(o.commid)});
}

void WriteArrival(Db::Connection& css, const CssArrival& a, const std::string& now) {
    css.execute(
        "insert into arrival (sta, time, arid, jdate, stassid, chanid, chan, iphase, stype, deltim, "
        "azimuth, delaz, slow, delslo, ema, rect, amp, per, logat, clip, fm, snr, qual, auth, commid, "
        "lddate) values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, " +
            now + ")",
        {T(a.sta, 6),    a.time,        I(a.arid),     I(a.jdate), I(a.stassid), I(a.chanid),  T(a.chan, 8),
         T(a.iphase, 8), T(a.stype, 1), a.deltim,      a.azimuth,  a.delaz,      a.slow,       a.delslo,
         a.ema,          a.rect,        a.amp,         a.per,      a.logat,      T(a.clip, 1), T(a.fm, 2),
         a.snr,          T(a.qual, 1),  T(a.auth, 15), I(a.commid)});
}

void WriteAmplitude(Db::Connection& css, const CssAmplitude& m, const std::string& now) {
    css.execute(
        "insert into amplitude (ampid, arid, parid, chan, amp, per, amptime, amptype, inarrival, units, "
        "clip, lddate, auth, bandw, duration, snr, start_time) values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, " +
            now + ", ?, ?, ?, ?, ?)",
        {I(m.ampid), I(m.arid), I(m.parid), T(m.chan, 8), m.amp, m.per, m.amptime, T(m.amptype, 8),
         T(m.inarrival, 1), T(m.units, 15), T(m.clip, 1), T(m.auth, 15), m.bandw, m.duration, m.snr,
         // The database has always kept -1 here rather than the null time.
         -1.0});
}

void WriteStamag(Db::Connection& css, const CssStamag& s, const std::string& now) {
    css.execute(
        "insert into stamag (magtype, magid, sta, orid, arid, ampid, evid, magdef, auth, delta, magnitude, "
        "magres, mmodel, phase, uncertainty, commid, lddate) values (?, ?, ?, ?, ?, ?, ?, '-', ?, -1, ?, "
        "0.0, '-', ?, ?, ?, " +
            now + ")",
        {T(s.magtype, 6), I(s.magid), T(s.sta, 6), I(s.orid), I(s.arid), I(s.ampid), I(s.evid), T(s.auth, 15),
         s.magnitude, T(s.phase, 8), s.uncertainty, I(s.commid)});
}

void WriteAssoc(Db::Connection& css, const CssAssoc& s, const std::string& now) {
    css.execute(
        "insert into assoc (arid, orid, sta, phase, belief, delta, seaz, esaz, timeres, timedef, azres, "
        "azdef, slores, slodef, emares, wgt, vmodel, commid, lddate) values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, "
        "?, ?, ?, ?, ?, ?, ?, ?, " +
            now + ")",
        {I(s.arid), I(s.orid), T(s.sta, 6), T(s.phase, 8), s.belief, s.delta, s.seaz, s.esaz, s.timeres,
         T(s.timedef, 1), s.azres, T(s.azdef, 1), s.slores, T(s.slodef, 1), s.emares, s.wgt, T(s.vmodel, 15),
         I(s.commid)});
}

}  // namespace

CssEventSaver::CssEventSaver(Databases& databases, const std::vector<Station>& stations,
                             const PhaseCatalogue& catalogue)
    : databases_(databases), stations_(stations), catalogue_(catalogue) {}

void CssEventSaver::DrawKeys(CurrentEvent& event, ZELPhases& phases) {
    if (!databases_.cssAvailable()) return;
    // Each committed by the key counter on its own.
    if (event.orid <= 0) event.orid = DrawKey(databases_, "orid", kNoNewOrid);
    for (int i = 0; i < phases.Count(); ++i) {
        SEISMIC_PHASE& p = *phases.GetAt(i);
        if (p.arid <= 0) p.arid = DrawKey(databases_, "arid", kNoNewArid);
        if (!p.comment.empty() && p.commid <= 0) p.commid = DrawKey(databases_, "commid", kNoNewCommid);
    }
}

void CssEventSaver::Save(CurrentEvent& event, ZELPhases& phases) {
    if (!databases_.cssAvailable() || !databases_.css().isOpen()) throw ZelError(kCssNotConnected);
    // An unknown station, channel or phase stops before any key is drawn.
    PicksOf(phases, stations_, catalogue_);
    DrawKeys(event, phases);
    const std::vector<CssPick> picks = PicksOf(phases, stations_, catalogue_);
    const CssEvent rows = BuildCssEvent(
        HypocentreOf(event), event.orid, picks, CssTarget::Database,
        [this](const std::string& name) { return databases_.nextKey(name); }, distAz);

    Db::Connection& css = databases_.css();
    const std::string now = Now(clock());
    try {
        Db::Transaction transaction(css);
        // The event's old rows: everything hanging on its associations and on its picks' arids.
        std::set<std::int64_t> arids;
        {
            Db::Statement st(css);
            st.execute("select arid from assoc where orid=?", {I(event.orid)});
            while (st.fetch())
                if (auto arid = st.integer(0)) arids.insert(*arid);
        }
        for (const CssArrival& a : rows.arrivals) arids.insert(a.arid);
        // Remarks hang on the old arrivals, also those of picks whose comment is gone since.
        std::set<std::int64_t> commids;
        for (const CssRemark& r : rows.remarks) commids.insert(r.commid);
        for (std::int64_t arid : arids) {
            Db::Statement st(css);
            st.execute("select commid from arrival where arid=?", {I(arid)});
            while (st.fetch())
                if (auto commid = st.integer(0); commid && *commid > 0) commids.insert(*commid);
        }
        for (std::int64_t arid : arids) {
            css.execute("delete from amplitude where arid=?", {I(arid)});
            css.execute("delete from arrival where arid=?", {I(arid)});
            css.execute("delete from stamag where arid=?", {I(arid)});
        }
        css.execute("delete from assoc where orid=?", {I(event.orid)});
        for (std::int64_t commid : commids) css.execute("delete from remark where commid=?", {I(commid)});

        WriteOrigin(css, rows.origin, now);
        for (std::size_t i = 0; i < rows.arrivals.size(); ++i) {
            WriteArrival(css, rows.arrivals[i], now);
            WriteAssoc(css, rows.assocs[i], now);
            if (afterPickWritten) afterPickWritten(static_cast<int>(i + 1));
        }
        for (const CssAmplitude& m : rows.amplitudes) WriteAmplitude(css, m, now);
        for (const CssStamag& s : rows.stamags) WriteStamag(css, s, now);
        for (const CssRemark& r : rows.remarks)
            css.execute("insert into remark (commid, lineno, remark, lddate) values (?, ?, ?, " + now + ")",
                        {I(r.commid), I(r.lineno), T(r.remark, 80)});
        transaction.commit();
    } catch (const Db::Error& error) {
        throw ZelError(Tr(kCssSaveFailed) + "\n" + error.what());
    }
}

bool CssOriginStored(Db::Connection& css, std::int64_t orid) {
    Db::Statement st(css);
    st.execute("select orid from origin where orid=?", {I(orid)});
    return st.fetch();
}

void DeleteCssOrigin(Db::Connection& css, std::int64_t orid) {
    Db::Transaction transaction(css);
    std::set<std::int64_t> arids;
    {
        Db::Statement st(css);
        st.execute("select arid from assoc where orid=?", {I(orid)});
        while (st.fetch())
            if (auto arid = st.integer(0)) arids.insert(*arid);
    }
    css.execute("delete from stamag where orid=?", {I(orid)});
    css.execute("delete from assoc where orid=?", {I(orid)});
    css.execute("delete from origin where orid=?", {I(orid)});
    for (std::int64_t arid : arids) {
        bool shared = false;
        std::optional<std::int64_t> commid;
        {
            Db::Statement st(css);
            st.execute("select orid from assoc where arid=?", {I(arid)});
            shared = st.fetch();
        }
        if (shared) continue;
        {
            Db::Statement st(css);
            st.execute("select commid from arrival where arid=?", {I(arid)});
            if (st.fetch()) commid = st.integer(0);
        }
        if (commid && *commid > 0) css.execute("delete from remark where commid=?", {I(*commid)});
        css.execute("delete from amplitude where arid=?", {I(arid)});
        css.execute("delete from stamag where arid=?", {I(arid)});
        css.execute("delete from arrival where arid=?", {I(arid)});
    }
    transaction.commit();
}

}  // namespace zel
