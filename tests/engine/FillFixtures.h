#pragma once

#include "engine/FillEngine.h"
#include "engine/Model.h"

#include <cstdint>
#include <vector>

namespace rectix::engine::test {

struct FillBox {
    int length, width, weight = 1, kind = 1;
    bool turnOn = false;
};

// A fill engine with one container of usable length x width handed over and
// the given boxes, as the run hands them over (before PrepareFill).
struct FillSetup {
    TRunTotals totals;
    FillEngine f;

    FillSetup(int length, int width, const std::vector<FillBox>& boxes, std::int32_t loadWt = 1000000) {
        f.EngineReset();
        f.Totals = &totals;
        f.Points.SetUsable(static_cast<std::int16_t>(length), static_cast<std::int16_t>(width));
        f.ContLoadWt = loadWt;
        f.ContArea = static_cast<float>(length) * static_cast<float>(width);
        f.EngTaskDefltOn = false;
        int n = 0;
        for (const FillBox& b : boxes) {
            ++n;
            f.BoxInst[n] = static_cast<std::int16_t>(n);
            f.BoxKind[n] = static_cast<std::int16_t>(b.kind);
            f.BoxLen[n] = static_cast<std::int16_t>(b.length);
            f.BoxWid[n] = static_cast<std::int16_t>(b.width);
            f.BoxWeight[n] = b.weight;
            f.BoxArea[n] = static_cast<float>(b.length) * static_cast<float>(b.width);
            f.BoxTurnOn[n] = b.turnOn;
            totals.TotalBoxArea += f.BoxArea[n];
            totals.TotalBoxWeight += b.weight;
        }
        f.BoxN = static_cast<std::int16_t>(n);
        totals.TotalContArea = f.ContArea;
        totals.TotalCapacity = loadWt;
    }

    // PrepareFill plus what the driver sets up before a fill.
    void Prepare(int workDir = 1, int pass = 0) {
        f.PrepareFill();
        f.Points.Capacity = f.BoxN / 2 + 30;
        f.Points.SetPointCapacity(f.Points.Capacity + 1);
        f.WorkDir = static_cast<std::int16_t>(workDir);
        f.Pass = static_cast<std::int16_t>(pass);
    }
};

} // namespace rectix::engine::test
