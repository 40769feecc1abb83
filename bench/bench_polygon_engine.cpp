// The polygon engine against Clipper 6.4 and Boost.Geometry on identical inputs: regular n-gon
// pairs, comb pairs, random star pairs; triangle strips of glyph-like outlines (ours only).
// After the runs it prints the geometric-mean time ratios and the log-log growth slopes.
#include "polygon_clip/polygon_clip.h"
#include "tests/polygon_clip/clip_test_support.h"

#include <benchmark/benchmark.h>
#include <boost/geometry.hpp>
#include <boost/geometry/geometries/point_xy.hpp>
#include <boost/geometry/geometries/polygon.hpp>
#include <boost/geometry/multi/geometries/multi_polygon.hpp>
#include <polyclipping/clipper.hpp>

#include <cmath>
#include <cstdio>
#include <functional>
#include <map>
#include <random>
#include <string>
#include <vector>

namespace {

using namespace plicato;
namespace bg = boost::geometry;
using BPoint = bg::model::d2::point_xy<double>;
using BPolygon = bg::model::polygon<BPoint>;
using BMulti = bg::model::multi_polygon<BPolygon>;

constexpr double kClipperScale = 1e6; // coordinates stay within +-1000

// ----- inputs -----

Ring regularPolygon(int n, double cx, double cy, double r, double phase) {
    Ring ring;
    for (int k = 0; k < n; ++k) {
        const double a = phase + 2 * M_PI * k / n;
        ring.push_back({cx + r * std::cos(a), cy + r * std::sin(a)});
    }
    return ring;
}

Ring randomStar(std::mt19937& rng, int n, double cx, double cy) {
    std::uniform_real_distribution<double> r(50, 200), jitter(0.0, 0.9);
    Ring ring;
    for (int k = 0; k < n; ++k) {
        const double a = 2 * M_PI * (k + jitter(rng)) / n;
        const double rad = r(rng);
        ring.push_back({cx + rad * std::cos(a), cy + rad * std::sin(a)});
    }
    return ring;
}

// A wobbly outline with round holes, like a glyph of a decorative font.
Rings glyphLike(int n) {
    const int holes = 3;
    const int outerN = n / 2;
    const int holeN = (n - outerN) / holes;
    Rings rings;
    Ring outer;
    for (int k = 0; k < outerN; ++k) {
        const double a = 2 * M_PI * k / outerN;
        const double r = 100 + 15 * std::sin(7 * a) + 5 * std::cos(23 * a);
        outer.push_back({r * std::cos(a), 1.3 * r * std::sin(a)});
    }
    rings.push_back(outer);
    for (int h = 0; h < holes; ++h) {
        const double cx = -45 + 45 * h;
        const double cy = h == 1 ? 30 : -20;
        rings.push_back(regularPolygon(holeN, cx, cy, 18, 0.1 * h));
    }
    return rings;
}

struct Case {
    Rings a, b;
    ClipOp op;
};

// ----- peers -----

struct OwnedInput {
    ClipPolygon p{};
    explicit OwnedInput(const Rings& rings) {
        allocateClipContours(p, static_cast<int>(rings.size()));
        for (std::size_t i = 0; i < rings.size(); ++i) {
            allocateClipVertices(p.contours[i], static_cast<int>(rings[i].size()));
            for (std::size_t k = 0; k < rings[i].size(); ++k)
                p.contours[i].vertices[k] = rings[i][k];
        }
    }
    ~OwnedInput() { freeClipPolygon(p); }
    OwnedInput(const OwnedInput&) = delete;
    OwnedInput& operator=(const OwnedInput&) = delete;
};

ClipperLib::Paths toClipper(const Rings& rings) {
    ClipperLib::Paths paths;
    for (const Ring& r : rings) {
        ClipperLib::Path path;
        for (const ClipVertex& v : r)
            path.push_back({static_cast<ClipperLib::cInt>(std::llround(v.x * kClipperScale)),
                            static_cast<ClipperLib::cInt>(std::llround(v.y * kClipperScale))});
        paths.push_back(path);
    }
    return paths;
}

// Boost needs valid polygons: the first ring is the outer one, the rest are its holes.
BMulti toBoost(const Rings& rings) {
    BPolygon p;
    for (const ClipVertex& v : rings[0])
        bg::append(p.outer(), BPoint(v.x, v.y));
    for (std::size_t i = 1; i < rings.size(); ++i) {
        p.inners().emplace_back();
        for (const ClipVertex& v : rings[i])
            bg::append(p.inners().back(), BPoint(v.x, v.y));
    }
    bg::correct(p);
    return BMulti{p};
}

ClipperLib::ClipType clipperOp(ClipOp op) {
    switch (op) {
    case ClipOp::Difference:
        return ClipperLib::ctDifference;
    case ClipOp::Intersection:
        return ClipperLib::ctIntersection;
    case ClipOp::ExclusiveOr:
        return ClipperLib::ctXor;
    case ClipOp::Union:
        break;
    }
    return ClipperLib::ctUnion;
}

void runOurs(benchmark::State& state, const Case& c) {
    const OwnedInput a(c.a);
    const OwnedInput b(c.b);
    for (auto _ : state) {
        ClipPolygon r = clipPolygons(c.op, a.p, b.p);
        benchmark::DoNotOptimize(r.contourCount);
        freeClipPolygon(r);
    }
}

void runClipper(benchmark::State& state, const Case& c) {
    const ClipperLib::Paths a = toClipper(c.a);
    const ClipperLib::Paths b = toClipper(c.b);
    for (auto _ : state) {
        ClipperLib::Clipper clipper;
        clipper.AddPaths(a, ClipperLib::ptSubject, true);
        clipper.AddPaths(b, ClipperLib::ptClip, true);
        ClipperLib::Paths solution;
        clipper.Execute(clipperOp(c.op), solution, ClipperLib::pftEvenOdd, ClipperLib::pftEvenOdd);
        benchmark::DoNotOptimize(solution.data());
    }
}

void runBoost(benchmark::State& state, const Case& c) {
    const BMulti a = toBoost(c.a);
    const BMulti b = toBoost(c.b);
    for (auto _ : state) {
        BMulti out;
        switch (c.op) {
        case ClipOp::Difference:
            bg::difference(a, b, out);
            break;
        case ClipOp::Intersection:
            bg::intersection(a, b, out);
            break;
        case ClipOp::ExclusiveOr:
            bg::sym_difference(a, b, out);
            break;
        case ClipOp::Union:
            bg::union_(a, b, out);
            break;
        }
        benchmark::DoNotOptimize(out.data());
    }
}

void runStrips(benchmark::State& state, const Rings& rings) {
    const OwnedInput p(rings);
    for (auto _ : state) {
        std::vector<TriangleStrip> strips = polygonToStrips(p.p);
        benchmark::DoNotOptimize(strips.data());
    }
}

// ----- registration and summary -----

struct Entry {
    std::string family;
    std::string peer;
    double size;
};
std::map<std::string, Entry> gEntries;

// The peers must do the same work: compare the result areas once before timing.
void checkAgreement(const std::string& name, const Case& c) {
    const OwnedInput a(c.a);
    const OwnedInput b(c.b);
    ClipPolygon r = clipPolygons(c.op, a.p, b.p);
    const double ours = flaggedArea(r);
    freeClipPolygon(r);
    ClipperLib::Clipper clipper;
    clipper.AddPaths(toClipper(c.a), ClipperLib::ptSubject, true);
    clipper.AddPaths(toClipper(c.b), ClipperLib::ptClip, true);
    ClipperLib::Paths solution;
    clipper.Execute(clipperOp(c.op), solution, ClipperLib::pftEvenOdd, ClipperLib::pftEvenOdd);
    double theirs = 0;
    for (const ClipperLib::Path& path : solution)
        theirs += ClipperLib::Area(path) / (kClipperScale * kClipperScale);
    if (std::fabs(ours - theirs) > 1e-6 * std::max(1.0, std::fabs(theirs)))
        std::printf("warning: %s: our area %.9g, Clipper's %.9g\n", name.c_str(), ours, theirs);
}

void registerCase(const std::string& family, double size, const Case& c) {
    checkAgreement(family + "/" + std::to_string(static_cast<long>(size)), c);
    const std::string tail = "/" + std::to_string(static_cast<long>(size));
    const std::pair<const char*, void (*)(benchmark::State&, const Case&)> peers[] = {
        {"ours", runOurs}, {"clipper", runClipper}, {"boost", runBoost}};
    for (const auto& [peer, fn] : peers) {
        const std::string name = family + "/" + peer + tail;
        auto run = fn;
        benchmark::RegisterBenchmark(name.c_str(), [run, c](benchmark::State& s) {
            run(s, c);
        })->Unit(benchmark::kMicrosecond);
        gEntries[name] = {family, peer, size};
    }
}

void registerAll() {
    for (int n : {4, 16, 64, 256, 1024, 4096}) {
        Case c{{regularPolygon(n, 0, 0, 300, 0)},
               {regularPolygon(n, 40, 25, 290, M_PI / n)},
               ClipOp::Difference};
        registerCase("regular", n, c);
    }
    for (int k : {16, 36, 100, 400, 1024}) {
        const int teeth = static_cast<int>(std::lround(std::sqrt(k / 4.0)));
        Case c{{combRing(teeth, true)}, {combRing(teeth, false)}, ClipOp::Intersection};
        registerCase("comb", 4.0 * teeth * teeth, c);
    }
    std::mt19937 rng(1234);
    for (int n : {100, 250, 500, 1000, 2000}) {
        Case c{{randomStar(rng, n, 0, 0)}, {randomStar(rng, n, 60, 30)}, ClipOp::Union};
        registerCase("random", n, c);
    }
    for (int n : {100, 300, 1000, 3000, 5000}) {
        const std::string name = "strips/ours/" + std::to_string(n);
        const Rings rings = glyphLike(n);
        benchmark::RegisterBenchmark(name.c_str(), [rings](benchmark::State& s) {
            runStrips(s, rings);
        })->Unit(benchmark::kMicrosecond);
        gEntries[name] = {"strips", "ours", static_cast<double>(n)};
    }
}

class CollectingReporter : public benchmark::ConsoleReporter {
public:
    // CPU seconds per iteration: the machines are shared, wall time carries other loads.
    std::map<std::string, double> times;
    void ReportRuns(const std::vector<Run>& runs) override {
        // With repetitions, the median stands for the benchmark; single runs stand for
        // themselves.
        for (const Run& r : runs) {
            const double t = r.GetAdjustedCPUTime() / benchmark::GetTimeUnitMultiplier(r.time_unit);
            if (r.run_type == Run::RT_Aggregate) {
                if (r.aggregate_name == "median")
                    times[r.run_name.str()] = t;
            } else if (!times.count(r.run_name.str()) || r.repetitions <= 1) {
                times[r.run_name.str()] = t;
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }
};

double slope(const std::vector<std::pair<double, double>>& pts) {
    if (pts.size() < 2)
        return NAN;
    double sx = 0, sy = 0, sxx = 0, sxy = 0;
    for (const auto& [x, y] : pts) {
        sx += std::log(x), sy += std::log(y);
        sxx += std::log(x) * std::log(x), sxy += std::log(x) * std::log(y);
    }
    const double n = static_cast<double>(pts.size());
    return (n * sxy - sx * sy) / (n * sxx - sx * sx);
}

void printSummary(const std::map<std::string, double>& times) {
    std::map<std::string, std::map<std::string, std::map<double, double>>> byFamily;
    for (const auto& [name, t] : times) {
        const auto it = gEntries.find(name);
        if (it != gEntries.end())
            byFamily[it->second.family][it->second.peer][it->second.size] = t;
    }
    std::printf("\nsummary (time ratios are geometric means over the sizes run)\n");
    std::printf("%-10s %14s %14s %10s %10s %10s\n", "workload", "ours/clipper", "ours/boost",
                "slope ours", "clipper", "boost");
    double logClipper = 0, logBoost = 0;
    int nClipper = 0, nBoost = 0;
    for (const auto& [family, peers] : byFamily) {
        double lc = 0, lb = 0;
        int cc = 0, cb = 0;
        std::map<std::string, std::vector<std::pair<double, double>>> curves;
        for (const auto& [peer, sizes] : peers)
            for (const auto& [size, t] : sizes)
                curves[peer].push_back({size, t});
        const auto& ours = peers.count("ours") ? peers.at("ours") : std::map<double, double>{};
        for (const auto& [size, t] : ours) {
            if (peers.count("clipper") && peers.at("clipper").count(size)) {
                lc += std::log(t / peers.at("clipper").at(size));
                ++cc;
            }
            if (peers.count("boost") && peers.at("boost").count(size)) {
                lb += std::log(t / peers.at("boost").at(size));
                ++cb;
            }
        }
        logClipper += lc, nClipper += cc, logBoost += lb, nBoost += cb;
        auto fmt = [](double v, bool ok) { return ok ? v : NAN; };
        std::printf("%-10s %14.3f %14.3f %10.3f %10.3f %10.3f\n", family.c_str(),
                    fmt(std::exp(lc / std::max(cc, 1)), cc > 0),
                    fmt(std::exp(lb / std::max(cb, 1)), cb > 0), slope(curves["ours"]),
                    slope(curves["clipper"]), slope(curves["boost"]));
    }
    if (nClipper > 0 && nBoost > 0)
        std::printf("%-10s %14.3f %14.3f\n", "all", std::exp(logClipper / nClipper),
                    std::exp(logBoost / nBoost));
}

} // namespace

int main(int argc, char** argv) {
    registerAll();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    CollectingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    printSummary(reporter.times);
    return 0;
}
