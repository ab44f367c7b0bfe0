// Hypocentre location: recovery of known sources on analytic curves and on the shipped IASP91
// tables with the demo network, the error ellipse against hand-worked covariances, the edge
// cases of the search (folding, depth bounds, fixed coordinates) and the residual write-back.

#include "events/Locator.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "base/ZelError.h"
#include "data/demo/DemoDiskLoop.h"
#include "events/CurrentEvent.h"
#include "events/DistAz.h"
#include "events/LeastSquares.h"
#include "events/LocationOutcome.h"
#include "events/PhaseCatalogue.h"
#include "events/PhaseListTable.h"
#include "events/ZELPhases.h"
#include "support/TempDir.h"

namespace zel {
namespace {

// A homogeneous half-space: P at 6 km/s, S at 3.5 km/s, straight rays.
double HalfSpace(int phase, double depth, double distance) {
    const double km = distance * kEllipseKmPerDegree;
    return std::sqrt(km * km + depth * depth) / (phase == 0 ? 6.0 : 3.5);
}

struct Source {
    double lat, lon, depth, origin;
};

// P and S at `count` stations spiralling out from 0.1 to 1.6 degrees around the source: the nearest
// one, closer than the depth scale, pins the depth down.
std::vector<Observation> RingObservations(const Source& s, int count, double noise = 0.0) {
    std::vector<Observation> out;
    for (int k = 0; k < count; ++k) {
        const double angle = 2.0 * M_PI * k / count;
        const double radius = 0.1 + 1.5 * k / count;
        Observation o;
        o.lat = s.lat + radius * std::cos(angle);
        o.lon = s.lon + radius * std::sin(angle) / std::cos(s.lat * M_PI / 180.0);
        o.station = k;
        for (int phase = 0; phase < 2; ++phase) {
            o.phase = phase;
            const double d = Distance(o.lat, o.lon, s.lat, s.lon);
            // Deterministic "noise": alternating signs, a few hundredths of a second.
            const double jitter = noise * ((k * 7 + phase * 3) % 5 - 2) / 2.0;
            o.time = s.origin + HalfSpace(phase, s.depth, d) + jitter;
            out.push_back(o);
        }
    }
    return out;
}

const Source kSource{51.7, 104.3, 15.0, 1371211234.5};

void ExpectRecovered(const LocationResult& r, const Source& s, double degrees, double km, double seconds) {
    ASSERT_TRUE(r.ok);
    EXPECT_NEAR(r.lat, s.lat, degrees);
    EXPECT_NEAR(r.lon, s.lon, degrees);
    EXPECT_NEAR(r.depth, s.depth, km);
    EXPECT_NEAR(r.originTime, s.origin, seconds);
}

TEST(LocatorRecovery, BothMethodsFindTheSourceOnExactTimes) {
    for (int stations : {6, 8, 10}) {
        SCOPED_TRACE(stations);
        LocationStart start{51.3, 104.9, 30.0, kSource.origin + 20.0};
        Locator descent(RingObservations(kSource, stations), HalfSpace);
        ExpectRecovered(descent.LocateDescent(start), kSource, 0.02, 3.0, 0.05);
        Locator svd(RingObservations(kSource, stations), HalfSpace);
        const LocationResult r = svd.LocateSvd(start);
        ExpectRecovered(r, kSource, 0.02, 3.0, 0.05);
        EXPECT_LT(r.rms, 0.01);
        for (const Observation& o : svd.observations()) EXPECT_NEAR(o.residual, 0.0, 0.02);
    }
}

TEST(LocatorRecovery, NoisyTimesAndAFarStartStillConverge) {
    // 0.1 s of scatter and a start 1.5 degrees off at the wrong depth.
    LocationStart start{50.2, 103.0, 100.0, kSource.origin - 30.0};
    Locator descent(RingObservations(kSource, 8, 0.1), HalfSpace);
    const LocationResult d = descent.LocateDescent(start);
    ExpectRecovered(d, kSource, 0.05, 10.0, 1.0);
    Locator svd(RingObservations(kSource, 8, 0.1), HalfSpace);
    const LocationResult s = svd.LocateSvd(start);
    ExpectRecovered(s, kSource, 0.05, 10.0, 1.0);
    EXPECT_GT(s.rms, 0.01);
    EXPECT_TRUE(s.ellipse.valid());
}

TEST(LocatorRecovery, GridStartFindsTheSourceFromTheOtherSideOfTheEarth) {
    LocationStart start{-40.0, -70.0, 15.0, kSource.origin};
    start.gridSearch = true;
    int last = -1, calls = 0;
    Locator locator(RingObservations(kSource, 8), HalfSpace);
    const LocationResult r = locator.LocateSvd(start, [&](int percent) {
        EXPECT_GT(percent, last);
        last = percent;
        ++calls;
    });
    ExpectRecovered(r, kSource, 0.02, 3.0, 0.05);
    EXPECT_EQ(last, 100);
    EXPECT_GE(calls, 50);
}

TEST(LocatorRecovery, FixedDepthKeepsTheDepthAndStillFindsTheEpicentre) {
    LocationStart start{51.3, 104.9, 15.0, kSource.origin};
    start.fixedDepth = true;
    Locator descent(RingObservations(kSource, 8), HalfSpace);
    const LocationResult d = descent.LocateDescent(start);
    EXPECT_EQ(d.depth, 15.0);
    EXPECT_NEAR(d.lat, kSource.lat, 0.02);
    Locator svd(RingObservations(kSource, 8), HalfSpace);
    const LocationResult s = svd.LocateSvd(start);
    EXPECT_EQ(s.depth, 15.0);
    EXPECT_NEAR(s.lon, kSource.lon, 0.02);
}

TEST(LocatorEdgeCases, FixedCoordinatesOnlyProduceResiduals) {
    LocationStart start{kSource.lat + 0.1, kSource.lon, kSource.depth, kSource.origin + 1.0};
    start.fixedCoordinates = true;
    for (bool svdMethod : {false, true}) {
        Locator locator(RingObservations(kSource, 6), HalfSpace);
        const LocationResult r = svdMethod ? locator.LocateSvd(start) : locator.LocateDescent(start);
        EXPECT_EQ(r.lat, start.lat);
        EXPECT_EQ(r.lon, start.lon);
        EXPECT_EQ(r.depth, start.depth);
        EXPECT_EQ(r.originTime, start.originTime);
        EXPECT_FALSE(r.ellipse.valid());
        // Residual = observed - entered origin - travel time from the entered point.
        const Observation& o = locator.observations()[0];
        const double tt = HalfSpace(o.phase, start.depth, Distance(o.lat, o.lon, start.lat, start.lon));
        EXPECT_NEAR(o.residual, o.time - start.originTime - tt, 1e-9);
    }
}

TEST(LocatorEdgeCases, FoldingWrappingAndDepthBounds) {
    EXPECT_DOUBLE_EQ(FoldLatitude(95.0), -85.0);
    EXPECT_DOUBLE_EQ(FoldLatitude(-93.0), 87.0);
    EXPECT_DOUBLE_EQ(FoldLatitude(90.0), 90.0);
    EXPECT_DOUBLE_EQ(WrapLongitude(181.0), -179.0);
    EXPECT_DOUBLE_EQ(WrapLongitude(-190.0), 170.0);
    EXPECT_DOUBLE_EQ(ClampDepth(0.0), 1.0);
    EXPECT_DOUBLE_EQ(ClampDepth(-5.0), 1.0);
    EXPECT_DOUBLE_EQ(ClampDepth(700.0), 600.0);
    EXPECT_DOUBLE_EQ(ClampDepth(std::nan("")), 1.0);
}

TEST(LocatorEdgeCases, StartBeyondThePoleIsFoldedAndTheSearchNeverWorsens) {
    // A source near the south pole: latitude 95 folds to -85, close to it, and the search
    // goes on from there instead of from a point that does not exist.
    const Source polar{-84.0, 30.0, 10.0, 1.0e9};
    Locator locator(RingObservations(polar, 8), HalfSpace);
    const double startMisfit = locator.Misfit(-85.0, 30.0, 10.0);
    const LocationResult r = locator.LocateDescent({95.0, 30.0, 10.0, 1.0e9});
    EXPECT_LE(r.misfit, startMisfit);
    EXPECT_NEAR(r.lat, polar.lat, 0.05);
}

TEST(LocatorEdgeCases, TheLineSearchNeverTakesAWorsePoint) {
    // At the true epicentre every candidate is worse: the search stays put instead of taking the
    // last (worse) halving. From anywhere else it ends no worse than it began.
    LocationStart atTruth{kSource.lat, kSource.lon, kSource.depth, 0.0};
    atTruth.fixedDepth = true;
    Locator locator(RingObservations(kSource, 8), HalfSpace);
    const LocationResult stay = locator.LocateDescent(atTruth);
    EXPECT_EQ(stay.lat, kSource.lat);
    EXPECT_EQ(stay.lon, kSource.lon);
    EXPECT_LT(stay.misfit, 1e-12);
    for (double offset : {0.003, 0.05, 0.7, 3.0}) {
        LocationStart start{kSource.lat + offset, kSource.lon - offset, kSource.depth, 0.0};
        start.fixedDepth = true;
        const double before = locator.Misfit(start.lat, start.lon, start.depth);
        EXPECT_LE(locator.LocateDescent(start).misfit, before) << offset;
    }
}

TEST(LocatorEdgeCases, DepthNeverLeavesItsRange) {
    // A source at the surface and another deeper than the scan: depths stay in [1, 600].
    for (double depth : {0.0, 650.0}) {
        const Source s{51.7, 104.3, depth, 1.0e9};
        for (bool svdMethod : {false, true}) {
            Locator locator(RingObservations(s, 8), HalfSpace);
            const LocationResult r =
                svdMethod ? locator.LocateSvd({51.6, 104.2, 300.0, 1.0e9}) : locator.LocateDescent({51.6, 104.2, 300.0, 1.0e9});
            EXPECT_GE(r.depth, 1.0);
            EXPECT_LE(r.depth, 600.0);
        }
    }
}

TEST(LocatorEdgeCases, MissingTravelTimesAndTooFewPhases) {
    std::vector<Observation> obs = RingObservations(kSource, 2);
    obs.resize(3);
    Locator three(obs, HalfSpace);
    try {
        three.LocateSvd({});
        FAIL() << "expected the too-few-phases error";
    } catch (const ZelError& e) {
        EXPECT_STREQ(e.what(), kTooFewPhases);
    }
    Locator none({}, HalfSpace);
    EXPECT_THROW(none.LocateDescent({}), ZelError);

    // A curve that ends at 1 degree: the far stations have no time near the source. They are left
    // out and the near ones locate it; with a curve that ends at 0.15 degree too few remain.
    for (double end : {1.0, 0.15}) {
        SCOPED_TRACE(end);
        auto shortCurve = [end](int phase, double depth, double distance) {
            return distance > end ? -1.0 : HalfSpace(phase, depth, distance);
        };
        for (bool svdMethod : {false, true}) {
            Locator locator(RingObservations(kSource, 8), shortCurve);
            EXPECT_EQ(locator.Misfit(kSource.lat, kSource.lon, kSource.depth), kNoMisfit);
            const LocationStart start{kSource.lat + 0.02, kSource.lon, kSource.depth, kSource.origin};
            const LocationResult r = svdMethod ? locator.LocateSvd(start) : locator.LocateDescent(start);
            if (end == 1.0) {
                ExpectRecovered(r, kSource, 0.02, 3.0, 0.05);
                EXPECT_EQ(r.used, 10);
                for (const Observation& o : locator.observations())
                    EXPECT_EQ(o.use, Distance(o.lat, o.lon, kSource.lat, kSource.lon) > end
                                         ? ObservationUse::NoTravelTime
                                         : ObservationUse::Used);
            } else {
                EXPECT_FALSE(r.ok);
                EXPECT_EQ(r.rms, -1.0);
                EXPECT_FALSE(r.ellipse.valid());
            }
        }
    }
}

TEST(LocatorEdgeCases, AStartWithoutTravelTimesIsNoSolution) {
    // The other side of the Earth, where the curve has no time for any phase: the descent used to
    // stay there (every slope 0) and report the start as the hypocentre.
    auto localCurve = [](int phase, double depth, double distance) {
        return distance > 10.0 ? -1.0 : HalfSpace(phase, depth, distance);
    };
    for (bool svdMethod : {false, true}) {
        Locator locator(RingObservations(kSource, 8), localCurve);
        const LocationStart start{0.0, 0.0, 0.0, 1.0e9};
        EXPECT_FALSE((svdMethod ? locator.LocateSvd(start) : locator.LocateDescent(start)).ok) << svdMethod;
    }
}

// 145 picks scattered by up to half a second, like the body of a real bulletin, one 289 s late
// (a real ISC line: set aside at the start), one 12 s late (found by the rule after the first
// solution) and one pick on a curve that ends before its station.
TEST(LocatorOutliers, OneWildPickIsExcludedAndTheRestLocateAsIfItWereNotThere) {
    const Source s{42.5, 45.0, 15.0, 1.0e9};
    std::vector<Observation> obs;
    for (int k = 0; k < 73; ++k) {
        const double angle = 2.0 * M_PI * k * 0.618034;
        const double radius = 0.2 + 9.0 * k / 73.0;
        Observation o;
        o.station = k;
        o.lat = s.lat + radius * std::cos(angle);
        o.lon = s.lon + radius * std::sin(angle) / std::cos(s.lat * M_PI / 180.0);
        for (int phase = 0; phase < 2 && obs.size() < 145; ++phase) {
            o.phase = phase;
            const double jitter = 0.5 * std::sin(7.3 * k + 2.1 * phase);
            o.time = s.origin + HalfSpace(phase, s.depth, Distance(o.lat, o.lon, s.lat, s.lon)) + jitter;
            obs.push_back(o);
        }
    }
    obs[40].time += 289.0;
    obs[81].time += 12.0;
    Observation far = obs[0];
    far.station = 99;
    far.phase = 2;  // a phase whose curve ends at 5 degrees, observed at 9.5
    far.lat = s.lat + 9.5;
    far.lon = s.lon;
    obs.push_back(far);
    auto curves = [](int phase, double depth, double distance) {
        if (phase == 2) return distance > 5.0 ? -1.0 : HalfSpace(0, depth, distance);
        return HalfSpace(phase, depth, distance);
    };
    for (bool svdMethod : {false, true}) {
        SCOPED_TRACE(svdMethod ? "svd" : "descent");
        Locator locator(obs, curves);
        const LocationStart start{s.lat + 0.3, s.lon - 0.3, 30.0, s.origin + 10.0};
        const LocationResult r = svdMethod ? locator.LocateSvd(start) : locator.LocateDescent(start);
        ExpectRecovered(r, s, 0.02, 3.0, 0.3);
        EXPECT_LT(r.rms, 0.5);
        EXPECT_EQ(r.used, 143);
        for (std::size_t i = 0; i < locator.observations().size(); ++i) {
            const Observation& o = locator.observations()[i];
            const ObservationUse want = i == 40 || i == 81    ? ObservationUse::Outlier
                                        : i + 1 == obs.size() ? ObservationUse::NoTravelTime
                                                              : ObservationUse::Used;
            EXPECT_EQ(o.use, want) << i;
        }
        EXPECT_NEAR(locator.observations()[40].residual, 289.0, 1.0);
        EXPECT_NEAR(locator.observations()[81].residual, 12.0, 1.0);

        // The analyst insists on the late pick: it stays in, and drags the solution.
        std::vector<Observation> kept = obs;
        kept[40].keptByAnalyst = true;
        Locator insisting(kept, curves);
        const LocationResult dragged =
            svdMethod ? insisting.LocateSvd(start) : insisting.LocateDescent(start);
        EXPECT_EQ(insisting.observations()[40].use, ObservationUse::Used);
        EXPECT_GT(dragged.rms, 10.0);
    }
}

TEST(LocatorMisfit, WeightedSpreadAroundThePlainMean) {
    // Two observations at the source itself (travel time 0 at distance 0 and depth 0) with
    // implied origins 10 and 14: mean 12, spread w1^2 * 4 + w2^2 * 4.
    std::vector<Observation> obs(2);
    obs[0].time = 10.0;
    obs[0].weight = 1.0;
    obs[1].time = 14.0;
    obs[1].weight = 0.5;
    Locator locator(obs, [](int, double, double) { return 0.0; });
    double origin = 0.0;
    EXPECT_DOUBLE_EQ(locator.Misfit(10.0, 10.0, 0.0, &origin), 4.0 + 0.25 * 4.0);
    EXPECT_DOUBLE_EQ(origin, 12.0);
}

TEST(LocatorEllipse, AxesAndDirectionInKilometres) {
    // Independent of the latitude for a north-south ellipse: 4 deg^2 north, 1 deg^2 east at the
    // equator -> axes 2 and 1 degrees times k. A tiny c_xy keeps the ellipse defined.
    const double k = 1.0 * std::sqrt(2.0 * FQuantile2(0.9, 10));
    ErrorEllipse e = EllipseFromCovariance(4.0, 1e-12, 1.0, 0.0, 1.0, 10);
    EXPECT_NEAR(e.major, 2.0 * kEllipseKmPerDegree * k, 1e-6);
    EXPECT_NEAR(e.minor, 1.0 * kEllipseKmPerDegree * k, 1e-6);
    EXPECT_NEAR(std::fmod(e.direction + 90.0, 180.0) - 90.0, 0.0, 1e-6);

    // At 60 degrees a degree of longitude is half as long: 1 deg^2 in each coordinate is an
    // ellipse whose long axis runs north-south with axes k*111.195 and k*55.6.
    e = EllipseFromCovariance(1.0, 1e-12, 1.0, 60.0, 1.0, 10);
    EXPECT_NEAR(e.major, kEllipseKmPerDegree * k, 1e-6);
    EXPECT_NEAR(e.minor, 0.5 * kEllipseKmPerDegree * k, 1e-6);

    // A correlated covariance: eigenvalues 3 and 1 along 45 degrees (NE-SW) at the equator.
    e = EllipseFromCovariance(2.0, 1.0, 2.0, 0.0, 1.0, 10);
    EXPECT_NEAR(e.major, std::sqrt(3.0) * kEllipseKmPerDegree * k, 1e-6);
    EXPECT_NEAR(e.minor, kEllipseKmPerDegree * k, 1e-6);
    EXPECT_NEAR(e.direction, 45.0, 1e-9);
    e = EllipseFromCovariance(2.0, -1.0, 2.0, 0.0, 1.0, 10);
    EXPECT_NEAR(e.direction, 135.0, 1e-9);

    EXPECT_FALSE(EllipseFromCovariance(1.0, 0.0, 1.0, 0.0, 1.0, 10).valid());
    EXPECT_FALSE(EllipseFromCovariance(-1.0, 0.5, 1.0, 0.0, 1.0, 10).valid());
}

TEST(LocatorEllipse, FQuantileMatchesScipy) {
    // scipy.stats.f.ppf(0.9, 2, n)
    EXPECT_NEAR(FQuantile2(0.9, 4), 4.324555320336759, 1e-12);
    EXPECT_NEAR(FQuantile2(0.9, 10), 2.9244659623055673, 1e-12);
    EXPECT_NEAR(FQuantile2(0.9, 30), 2.4887160176974756, 1e-12);
}

TEST(LocatorSvd, DecompositionSolvesAnOverdeterminedSystem) {
    // Fitting y = 1 + 2x through four points exactly; numpy.linalg.svd gives the singular values.
    const std::vector<double> a = {1, 0, 1, 1, 1, 2, 1, 3};
    Svd svd;
    ASSERT_TRUE(Decompose(a, 4, 2, svd));
    std::vector<double> w = svd.w;
    std::sort(w.begin(), w.end());
    EXPECT_NEAR(w[0], 1.0907567666961069, 1e-12);
    EXPECT_NEAR(w[1], 4.10003044816824, 1e-12);
    const std::vector<double> x = BackSubstitute(svd, {1, 3, 5, 7});
    EXPECT_NEAR(x[0], 1.0, 1e-12);
    EXPECT_NEAR(x[1], 2.0, 1e-12);
    EXPECT_FALSE(Decompose({1, std::nan("")}, 1, 2, svd));
    EXPECT_FALSE(Decompose({1, 2}, 1, 2, svd));
}

// The demo network and its local event on the shipped IASP91 curves.
class DemoLocation : public ::testing::Test {
  protected:
    void SetUp() override {
        catalogue_.Load(std::string(ZEL_RESOURCES_DIR) + "/traveltimes/iasp91/", dir_.path().string());
        for (const demo::DemoStation& d : demo::DemoStations()) {
            // Array elements stand at their offsets from the reference point, as the demo's
            // SITE rows have them.
            Station s;
            s.code = d.code;
            const double km = 111.1953;  // the demo's kilometres per degree
            s.lat = static_cast<float>(d.lat + d.dnorth / km);
            s.lon = static_cast<float>(d.lon + d.deast / (km * std::cos(d.lat * M_PI / 180.0)));
            s.elev = static_cast<float>(d.elev);
            s.slots[0].channel = "SHZ";
            s.slots[0].lat = s.lat;
            s.slots[0].lon = s.lon;
            stations_.push_back(s);
        }
    }

    test::TempDir dir_;
    PhaseCatalogue catalogue_;
    std::vector<Station> stations_;
};

TEST_F(DemoLocation, TrueArrivalTimesGiveTheTrueHypocentre) {
    const demo::DemoEvent& truth = demo::DemoEvents()[0];
    ZELPhases picks;
    for (const demo::DemoArrival& a : demo::DemoArrivals(ZEL_RESOURCES_DIR)) {
        if (a.event != 0 || a.phase == "pP") continue;
        SEISMIC_PHASE p;
        p.stationIndex = FindStation(stations_, a.station);
        ASSERT_GE(p.stationIndex, 0);
        p.phaseIndex = catalogue_.IndexOf(a.phase);
        p.time = a.time;
        p.included = 1;
        p.weight = 0;
        picks.Add(p);
    }
    const std::vector<Observation> obs = BuildObservations(picks, stations_, catalogue_);
    ASSERT_GE(obs.size(), 6u);
    LocationStart start{truth.lat + 0.3, truth.lon - 0.4, 33.0, truth.origin + 5.0};
    for (bool svdMethod : {false, true}) {
        SCOPED_TRACE(svdMethod ? "svd" : "descent");
        Locator locator(obs, CatalogueTravelTimes(catalogue_));
        const LocationResult r = svdMethod ? locator.LocateSvd(start) : locator.LocateDescent(start);
        ASSERT_TRUE(r.ok);
        const double km = Distance(r.lat, r.lon, truth.lat, truth.lon) * kEllipseKmPerDegree;
        EXPECT_LT(std::hypot(km, r.depth - truth.depth), 5.0)
            << r.lat << " " << r.lon << " " << r.depth << " vs " << truth.lat << " " << truth.lon << " " << truth.depth;
        EXPECT_NEAR(r.originTime, truth.origin, 0.5);
    }

    // OK in the result dialog: the residuals and distances land in the picks.
    CurrentEvent event;
    event.lat = static_cast<float>(truth.lat);
    event.lon = static_cast<float>(truth.lon);
    event.depth = static_cast<float>(truth.depth);
    event.originTime = truth.origin;
    RecomputeResiduals(picks, stations_, catalogue_, event);
    for (int i = 0; i < picks.Count(); ++i) {
        const SEISMIC_PHASE& p = *picks.GetAt(i);
        EXPECT_EQ(p.hasResidual, 1);
        EXPECT_NEAR(p.residual, 0.0, 0.05);
        EXPECT_GT(p.distance, 0.0f);
        EXPECT_GE(p.backAzimuth, 0.0f);
    }
}

TEST_F(DemoLocation, ObservationsSkipPicksThatCannotTakePart) {
    ZELPhases picks;
    auto add = [&](int station, int phase, int included, double time) {
        SEISMIC_PHASE p;
        p.stationIndex = station;
        p.phaseIndex = phase;
        p.included = included;
        p.time = time;
        p.weight = 3;
        picks.Add(p);
    };
    add(0, catalogue_.IndexOf("P"), 1, 10.0);
    add(1, catalogue_.IndexOf("P"), 0, 11.0);                 // not included
    add(2, catalogue_.IndexOf("AML"), 1, 12.0);               // a marker: no curve
    add(99, catalogue_.IndexOf("P"), 1, 13.0);                // unknown station
    add(3, catalogue_.Count() + 5, 1, 14.0);                  // beyond the catalogue: ends the list
    add(4, catalogue_.IndexOf("S"), 1, 15.0);                 // after the end
    const std::vector<Observation> obs = BuildObservations(picks, stations_, catalogue_);
    ASSERT_EQ(obs.size(), 1u);
    EXPECT_EQ(obs[0].station, 0);
    EXPECT_DOUBLE_EQ(obs[0].weight, 0.25);
    EXPECT_DOUBLE_EQ(obs[0].lat, stations_[0].slots[0].lat);
}

// The road of a wrong pick through the phase list: one observation for an S on two channels, the
// rule's verdict on both copies (and not on a copy the analyst unchecked), the analyst putting it
// back for good, and a recomputation that keeps the measured azimuth.
TEST_F(DemoLocation, OutlierMarksReachEveryCopyAndTheAnalystHasTheLastWord) {
    for (Station& s : stations_) {
        s.slots[1] = s.slots[0];
        s.slots[1].channel = "SHN";
        s.slots[2] = s.slots[0];
        s.slots[2].channel = "SHE";
    }
    const int P = catalogue_.IndexOf("P"), S = catalogue_.IndexOf("S");
    ZELPhases picks;
    auto add = [&](int station, int channel, int phase, double time) -> SEISMIC_PHASE& {
        SEISMIC_PHASE p;
        p.stationIndex = station;
        p.channelIndex = channel;
        p.phaseIndex = phase;
        p.time = time;
        p.included = 1;
        return picks.Add(p);
    };
    add(0, 0, P, 100.0).hasAzimuth = 1;
    picks.Find(0, 0, P)->azimuth = 123.0f;
    add(0, 1, S, 110.0);
    add(0, 2, S, 110.0);
    add(1, 0, P, 101.0);
    add(1, 1, S, 111.0);
    add(1, 2, S, 111.0).included = 0;  // the analyst's choice

    std::vector<Observation> obs = BuildObservations(picks, stations_, catalogue_);
    ASSERT_EQ(obs.size(), 4u);  // (0,P) (0,S) (1,P) (1,S): each S once
    for (Observation& o : obs)
        if (o.phase == S) o.use = ObservationUse::Outlier;
    MarkOutlierPicks(picks, obs);
    for (int channel : {1, 2}) {
        EXPECT_EQ(picks.Find(0, channel, S)->included, 0);
        EXPECT_EQ(picks.Find(0, channel, S)->outlier, 1);
        EXPECT_EQ(CheckStateOf(*picks.Find(0, channel, S)), PickCheck::Outlier);
    }
    EXPECT_EQ(picks.Find(1, 1, S)->outlier, 1);
    EXPECT_EQ(picks.Find(1, 2, S)->outlier, 0);  // it took no part: the analyst had unchecked it
    EXPECT_EQ(CheckStateOf(*picks.Find(1, 2, S)), PickCheck::Excluded);

    // The rule judges its own exclusions anew; the analyst's check box puts one back for good.
    obs = BuildObservations(picks, stations_, catalogue_);
    EXPECT_EQ(obs.size(), 4u);
    ToggleIncluded(*picks.Find(0, 1, S), true);
    EXPECT_EQ(picks.Find(0, 1, S)->included, 1);
    EXPECT_EQ(picks.Find(0, 1, S)->keptByAnalyst, 1);
    obs = BuildObservations(picks, stations_, catalogue_);
    const auto kept = std::find_if(obs.begin(), obs.end(), [&](const Observation& o) {
        return o.station == 0 && o.phase == S;
    });
    ASSERT_NE(kept, obs.end());
    EXPECT_TRUE(kept->keptByAnalyst);
    ToggleIncluded(*picks.Find(0, 1, S), true);  // and unchecking ends it
    EXPECT_EQ(picks.Find(0, 1, S)->keptByAnalyst, 0);
    EXPECT_EQ(picks.Find(0, 1, S)->outlier, 0);

    // A recomputation for a hypocentre: distance and back azimuth, never the measured azimuth.
    CurrentEvent event;
    event.lat = 51.0f;
    event.lon = 104.0f;
    event.depth = 10.0f;
    event.originTime = 80.0;
    RecomputeResiduals(picks, stations_, catalogue_, event);
    EXPECT_FLOAT_EQ(picks.Find(0, 0, P)->azimuth, 123.0f);
    EXPECT_EQ(picks.Find(1, 0, P)->hasAzimuth, 0);
    EXPECT_GT(picks.Find(1, 0, P)->distance, 0.0f);
    EXPECT_GE(picks.Find(1, 0, P)->backAzimuth, 0.0f);
}

TEST(LocatorText, ResidualLines) {
    EXPECT_EQ(FormatResidualLine("TLY", "P", 1.254), "TLYP +00:00:1.25");
    EXPECT_EQ(FormatResidualLine("UUD", "S", -3725.5), "UUDS -01:02:5.50");
}

}  // namespace
}  // namespace zel
