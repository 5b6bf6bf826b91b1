#include "render/BoxPicking.h"

#include "engine/PackProblem.h"
#include "render/LayoutView.h"

#include <cstdlib>

namespace rectix::render {

namespace {
constexpr int pickDistance = 15;
}

std::int16_t pickBox(const LayoutView& view, std::int16_t boxCount, int x, int y) {
    (void)view.boxDrawn[boxCount];
    for (std::int16_t b = 1; b <= boxCount; ++b) {
        if (!view.boxDrawn[b]) continue;
        if (std::abs(view.boxCentreX[b] - x) + std::abs(view.boxCentreY[b] - y) < pickDistance) return b;
    }
    return 0;
}

QString boxHint(const engine::PackProblem& problem, std::int16_t box) {
    const engine::PackSolution& plan = problem.resultSolution;
    const engine::BoxKinds& kinds = problem.boxKinds;
    const std::int16_t kind = problem.boxInstKind[box];
    return QString::fromStdString(kinds.mark[kind]) + QStringLiteral(": ") +
           QString::fromStdString(kinds.name[kind]) + QStringLiteral("\nDims: ") +
           QString::number(plan.posLh[box]) + QLatin1Char('*') + QString::number(plan.posWh[box]) +
           QStringLiteral("\nWgt: ") + QString::number(kinds.weight[kind]) + QStringLiteral("\nXY: ") +
           QString::number(plan.posX[box]) + QStringLiteral(", ") + QString::number(plan.posY[box]);
}

} // namespace rectix::render
