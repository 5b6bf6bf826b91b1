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

void Build(PackProblem& p, const Spec& s, std::uint32_t seed) {
    std::mt19937 g(seed);
    auto pick = [&](int lo, int hi) {
        return lo + static_cast<int>(g() % static_cast<unsigned>(hi - lo + 1));
    };
    p.ResetProblem(p.StartSolution);
    for (int t = 1; t <= s.types; ++t) {
        p.ContTypes.TypeID[t] = t;
        p.ContTypes.Length[t] = static_cast<std::int16_t>(pick(600, 1360));
        p.ContTypes.Width[t] = static_cast<std::int16_t>(pick(200, 250));
        p.ContTypes.LoadWt[t] = pick(8000, 24000);
        p.ContTypes.Cost[t] = static_cast<float>(pick(50, 200));
        p.ContTypes.Avail[t] =
            static_cast<std::int16_t>(s.containers / s.types + (t <= s.containers % s.types ? 1 : 0));
        p.ContTypes.Area[t] = static_cast<float>(p.ContTypes.Length[t]) * p.ContTypes.Width[t];
        p.ContTypes.FillDir[t] = 1;
    }
    p.ContTypeCount = static_cast<std::int16_t>(s.types);
    for (int k = 1; k <= s.kinds; ++k) {
        p.BoxKinds.KindID[k] = k;
        p.BoxKinds.Length[k] = static_cast<std::int16_t>(pick(30, 160));
        p.BoxKinds.Width[k] = static_cast<std::int16_t>(pick(20, 120));
        p.BoxKinds.Weight[k] = pick(10, 400);
        p.BoxKinds.TurnOn[k] = g() % 4 != 0;
        p.BoxKinds.Total[k] = static_cast<std::int16_t>(s.boxes / s.kinds + (k <= s.boxes % s.kinds ? 1 : 0));
        p.BoxKinds.Area[k] = static_cast<float>(p.BoxKinds.Length[k]) * p.BoxKinds.Width[k];
        p.BoxKinds.Cost[k] = static_cast<float>(pick(1, 50));
    }
    p.BoxKindCount = static_cast<std::int16_t>(s.kinds);
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
    PackRun::SetDefaultCaptions();
    std::printf("%-9s %5s %5s %5s %5s %9s %8s %10s %10s %8s %5s\n", "task", "boxes", "kinds", "conts",
                "types", "intensity", "fills", "ms", "fills/s", "score", "used");
    for (const Spec& s : specs) {
        for (int intensity : {3, 20}) {
            if (intensity > maxIntensity) continue;
            PackProblem p;
            NullProgress progress;
            PackRun run(p, progress);
            Build(p, s, 20261206);
            p.Settings.Intensity = static_cast<std::int16_t>(intensity);
            p.Settings.TimeLimitMs = 5555000;
            const auto t0 = std::chrono::steady_clock::now();
            p.PrepareInstances();
            p.ComputeContainerLoads(p.StartSolution);
            p.CountPlacedAndUsed(p.StartSolution);
            p.EvaluateSolution(p.StartSolution, false);
            run.RunPacking();
            const double ms =
                std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
            const long long fills = run.Engine().TotalFills;
            std::printf("%-9s %5d %5d %5d %5d %9d %8lld %10.0f %10.0f %8.4f %5d%s\n", s.name, p.BoxCount,
                        p.BoxKindCount, p.ContCount, p.ContTypeCount, intensity, fills, ms,
                        fills / (ms / 1000.0), p.ResultSolution.Score, p.ResultSolution.UsedConts,
                        p.StopRun ? " (cut)" : "");
            std::fflush(stdout);
        }
    }
    return 0;
}
