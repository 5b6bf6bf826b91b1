// Runs a fixed set of tasks to the end of their search and prints one line per
// task and intensity: fills, wall and CPU time (user + system, for a loaded
// machine), fill rate, peak memory and the plan's score; then the stop case:
// how long a run with a 5 s limit takes, and how soon it ends after Esc.
#include "engine/PackProblem.h"
#include "engine/PackRun.h"
#include "engine/Progress.h"

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>

using namespace rectix::engine;

namespace {

using Clock = std::chrono::steady_clock;

struct Spec {
    const char* name;
    int boxes, kinds, containers, types;
    int minSide, maxSide; // box sides
    bool randomTotals;    // kinds of random quantities instead of equal shares
    int maxWeight = 400;
};

void build(PackProblem& p, const Spec& s, std::uint32_t seed) {
    std::mt19937 g(seed);
    auto pick = [&](int lo, int hi) {
        return lo + static_cast<int>(g() % static_cast<unsigned>(hi - lo + 1));
    };
    p.resetProblem(p.startSolution);
    for (int t = 1; t <= s.types; ++t) {
        p.contTypes.typeID[t] = t;
        p.contTypes.length[t] = static_cast<std::int16_t>(pick(600, 1360));
        p.contTypes.width[t] = static_cast<std::int16_t>(pick(200, 250));
        p.contTypes.loadWt[t] = pick(8000, 24000);
        p.contTypes.cost[t] = static_cast<float>(pick(50, 200));
        p.contTypes.avail[t] =
            static_cast<std::int16_t>(s.containers / s.types + (t <= s.containers % s.types ? 1 : 0));
        p.contTypes.area[t] = static_cast<float>(p.contTypes.length[t]) * p.contTypes.width[t];
        p.contTypes.fillDir[t] = 1;
    }
    p.contTypeCount = static_cast<std::int16_t>(s.types);
    int left = s.boxes;
    for (int k = 1; k <= s.kinds; ++k) {
        p.boxKinds.kindID[k] = k;
        p.boxKinds.length[k] = static_cast<std::int16_t>(pick(s.minSide + s.minSide / 2, s.maxSide));
        p.boxKinds.width[k] = static_cast<std::int16_t>(pick(s.minSide, s.maxSide * 3 / 4));
        p.boxKinds.weight[k] = pick(std::min(10, s.maxWeight), s.maxWeight);
        p.boxKinds.turnOn[k] = g() % 4 != 0;
        int total = s.boxes / s.kinds + (k <= s.boxes % s.kinds ? 1 : 0);
        if (s.randomTotals)
            total = k == s.kinds ? left : std::min(left - (s.kinds - k), pick(1, 2 * s.boxes / s.kinds));
        left -= total;
        p.boxKinds.total[k] = static_cast<std::int16_t>(total);
        p.boxKinds.area[k] = static_cast<float>(p.boxKinds.length[k]) * p.boxKinds.width[k];
        p.boxKinds.cost[k] = static_cast<float>(pick(1, 50));
    }
    p.boxKindCount = static_cast<std::int16_t>(s.kinds);
}

void prepare(PackProblem& p) {
    p.prepareInstances();
    p.computeContainerLoads(p.startSolution);
    p.countPlacedAndUsed(p.startSolution);
    p.evaluateSolution(p.startSolution, false);
}

double msSince(Clock::time_point t0) {
    return std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
}

// One task at one intensity, in a child process so that its peak memory is its own.
void runCase(const Spec& s, int intensity) {
    std::fflush(stdout);
    const pid_t child = fork();
    if (child == 0) {
        PackProblem p;
        NullProgress progress;
        PackRun run(p, progress);
        build(p, s, 20261206);
        p.settings.intensity = static_cast<std::int16_t>(intensity);
        p.settings.timeLimitMs = 5555000;
        const auto t0 = Clock::now();
        prepare(p);
        run.runPacking();
        const double ms = msSince(t0);
        const long long fills = run.fillEngine().totalFillCount();
        rusage use{};
        getrusage(RUSAGE_SELF, &use);
        const double cpuMs = static_cast<double>(use.ru_utime.tv_sec + use.ru_stime.tv_sec) * 1000.0 +
                             static_cast<double>(use.ru_utime.tv_usec + use.ru_stime.tv_usec) / 1000.0;
        std::printf("%-9s %5d %5d %5d %5d %9d %9lld %9.0f %9.0f %9.0f %7.1f %8.6f %5d%s\n", s.name,
                    p.boxCount, p.boxKindCount, p.contCount, p.contTypeCount, intensity, fills, ms, cpuMs,
                    static_cast<double>(fills) / (ms / 1000.0), static_cast<double>(use.ru_maxrss) / 1024.0,
                    static_cast<double>(p.resultSolution.score), p.resultSolution.usedConts,
                    p.stopRun ? " (cut)" : "");
        std::fflush(stdout);
        std::_Exit(0);
    }
    int status = 0;
    waitpid(child, &status, 0);
}

// Esc pressed at a given moment of the run, as the window would set it.
class EscAt : public NullProgress {
  public:
    explicit EscAt(double atMs) : atMs_(atMs) {}
    void start() { t0_ = Clock::now(); }
    bool escPressed() const override { return msSince(t0_) >= atMs_; }

  private:
    double atMs_;
    Clock::time_point t0_;
};

// The stop case: 1000 tiny kinds in 24 containers at Intensity 20 with a 5 s limit.
void runStopCase() {
    const Spec tiny{"tiny", 1000, 1000, 24, 3, 4, 12, false, 5};
    for (const double escAtMs : {-1.0, 1000.0}) {
        PackProblem p;
        EscAt progress(escAtMs < 0 ? 1e300 : escAtMs);
        PackRun run(p, progress);
        build(p, tiny, 20261206);
        p.settings.intensity = 20;
        p.settings.timeLimitMs = 5000;
        prepare(p);
        const auto t0 = Clock::now();
        progress.start();
        run.runPacking();
        const double ms = msSince(t0);
        if (escAtMs < 0)
            std::printf("stop case: 5 s limit, Intensity 20: run took %.0f ms, %lld fills, %d of %d boxes\n",
                        ms, run.fillEngine().totalFillCount(), p.resultSolution.loadedBoxes, p.boxCount);
        else
            std::printf("stop case: Esc at %.0f ms: run ended %.0f ms later\n", escAtMs, ms - escAtMs);
        std::fflush(stdout);
    }
}

} // namespace

int main(int argc, char** argv) {
    // Optional: a cap on the intensities to run (20 by default) and one task's name.
    const int maxIntensity = argc > 1 ? std::atoi(argv[1]) : 20;
    const char* only = argc > 2 ? argv[2] : nullptr;
    const Spec specs[] = {
        {"small", 20, 4, 1, 1, 20, 160, false},        {"medium", 100, 20, 5, 2, 20, 160, false},
        {"distinct", 300, 300, 10, 1, 20, 160, false}, {"large", 1000, 50, 24, 3, 20, 160, false},
        {"random", 1000, 200, 12, 4, 10, 120, true},
    };
    std::printf("%-9s %5s %5s %5s %5s %9s %9s %9s %9s %9s %7s %8s %5s\n", "task", "boxes", "kinds", "conts",
                "types", "intensity", "fills", "ms", "cpu ms", "fills/s", "peak MB", "score", "used");
    for (const Spec& s : specs) {
        if (only && std::strcmp(only, s.name) != 0) continue;
        for (int intensity : {3, 10, 20})
            if (intensity <= maxIntensity) runCase(s, intensity);
    }
    if (!only || std::strcmp(only, "stop") == 0) runStopCase();
    return 0;
}
