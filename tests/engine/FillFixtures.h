#pragma once

#include "FillEngineProbe.h"
#include "engine/Model.h"

#include <cstdint>
#include <vector>

namespace rectix::engine::test {

struct FillBox {
    int length, width, weight = 1, kind = 1;
    bool turnOn = false;
};

// A fill engine with one container of usable length x width handed over and
// the given boxes, as the run hands them over (before prepareFill).
struct FillSetup {
    RunTotals totals;
    FillEngineProbe f;

    FillSetup(int length, int width, const std::vector<FillBox>& boxes, std::int32_t loadWt = 1000000) {
        f.engineReset();
        f.totals = &totals;
        f.points.setUsable(static_cast<std::int16_t>(length), static_cast<std::int16_t>(width));
        f.contLoadWt = loadWt;
        f.contArea = static_cast<float>(length) * static_cast<float>(width);
        f.engTaskDefltOn = false;
        int n = 0;
        for (const FillBox& b : boxes) {
            ++n;
            f.boxInst[n] = static_cast<std::int16_t>(n);
            f.boxKind[n] = static_cast<std::int16_t>(b.kind);
            f.boxLen[n] = static_cast<std::int16_t>(b.length);
            f.boxWid[n] = static_cast<std::int16_t>(b.width);
            f.boxWeight[n] = b.weight;
            f.boxArea[n] = static_cast<float>(b.length) * static_cast<float>(b.width);
            f.boxTurnOn[n] = b.turnOn;
            totals.totalBoxArea += f.boxArea[n];
            totals.totalBoxWeight += b.weight;
        }
        f.boxN = static_cast<std::int16_t>(n);
        totals.totalContArea = f.contArea;
        totals.totalCapacity = loadWt;
    }

    // prepareFill plus what the driver sets up before a fill.
    void prepare(int workDir = 1, int pass = 0) {
        f.prepareFill();
        f.points.capacity = f.boxN / 2 + 30;
        f.points.setPointCapacity(f.points.capacity + 1);
        f.workDir = static_cast<std::int16_t>(workDir);
        f.pass = static_cast<std::int16_t>(pass);
    }
};

} // namespace rectix::engine::test
