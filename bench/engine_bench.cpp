// Runs a fixed set of tasks to the end of their search and prints one line per
// task: the fill rate of the engine and the quality of its plans.
#include "engine/PackProblem.h"
#include "engine/PackRun.h"
#include "engine/Progress.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

using namespace rectix::engine;

namespace {

struct Spec {
    const char* name;
    int boxes, kinds, containers, types;
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
        p.contTypes.Cost[t] = static_cast<float>(pick(50, 200));
        p.contTypes.avail[t] =
            static_cast<std::int16_t>(s.containers / s.types + (t <= s.containers % s.types ? 1 : 0));
        p.contTypes.Area[t] = static_cast<float>(p.contTypes.length[t]) * p.contTypes.width[t];
        p.contTypes.fillDir[t] = 1;
    }
    p.contTypeCount = static_cast<std::int16_t>(s.types);
    for (int k = 1; k <= s.kinds; ++k) {
        p.boxKinds.kindID[k] = k;
        p.boxKinds.length[k] = static_cast<std::int16_t>(pick(30, 160));
        p.boxKinds.width[k] = static_cast<std::int16_t>(pick(20, 120));
        p.boxKinds.weight[k] = pick(10, 400);
        p.boxKinds.turnOn[k] = g() % 4 != 0;
        p.boxKinds.total[k] = static_cast<std::int16_t>(s.boxes / s.kinds + (k <= s.boxes % s.kinds ? 1 : 0));
        p.boxKinds.Area[k] = static_cast<float>(p.boxKinds.length[k]) * p.boxKinds.width[k];
        p.boxKinds.Cost[k] = static_cast<float>(pick(1, 50));
    }
    p.boxKindCount = static_cast<std::int16_t>(s.kinds);
}

} // namespace

int main(int argc, char** argv) {
    // Optional: a cap on the intensities to run (20 by default).
    const int maxIntensity = argc > 1 ? std::atoi(argv[1]) : 20;
    const Spec specs[] = {
        {"small", 20, 4, 1, 1},
        {"medium", 100, 20, 5, 2},
        {"distinct", 300, 300, 10, 1},
        {"large", 1000, 50, 24, 3},
    };
    std::printf("%-9s %5s %5s %5s %5s %9s %8s %10s %10s %8s %5s\n", "task", "boxes", "kinds", "conts",
                "types", "intensity", "fills", "ms", "fills/s", "score", "used");
    for (const Spec& s : specs) {
        for (int intensity : {3, 20}) {
            if (intensity > maxIntensity) continue;
            PackProblem p;
            NullProgress progress;
            PackRun run(p, progress);
            build(p, s, 20261206);
            p.Settings.intensity = static_cast<std::int16_t>(intensity);
            p.Settings.timeLimitMs = 5555000;
            const auto t0 = std::chrono::steady_clock::now();
            p.prepareInstances();
            p.computeContainerLoads(p.startSolution);
            p.countPlacedAndUsed(p.startSolution);
            p.evaluateSolution(p.startSolution, false);
            run.runPacking();
            const double ms =
                std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
            const long long fills = run.fillEngine().totalFills;
            std::printf("%-9s %5d %5d %5d %5d %9d %8lld %10.0f %10.0f %8.4f %5d%s\n", s.name, p.boxCount,
                        p.boxKindCount, p.contCount, p.contTypeCount, intensity, fills, ms,
                        fills / (ms / 1000.0), p.resultSolution.score, p.resultSolution.usedConts,
                        p.stopRun ? " (cut)" : "");
            std::fflush(stdout);
        }
    }
    return 0;
}
