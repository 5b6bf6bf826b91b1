#include "render/LayoutGrid.h"

#include "core/Checked.h"
#include "core/Rounding.h"
#include "render/LayoutCanvas.h"
#include "render/LayoutView.h"

#include <QString>

#include <cstdlib>

namespace rectix::render {

namespace {

int divisionsOf(int setting) {
    switch (std::abs(setting)) {
    case 2:
        return 2;
    case 3:
        return 5;
    case 4:
        return 10;
    default:
        return 0;
    }
}

int roundToInt(long double x) {
    return core::narrow<int>(core::roundHalfEven(x));
}

} // namespace

GridPlan planGrid(int length, int width, int setting) {
    GridPlan plan;
    // Each quotient is rounded in turn: 2550 -> 255 -> 26 -> 3 gives the step 1000.
    long long a = length;
    long long b = width;
    std::int32_t base = 1;
    while (a > 25 || b > 16) {
        a = core::roundHalfEven(a / 10.0L);
        b = core::roundHalfEven(b / 10.0L);
        ++plan.power;
        base = core::checkedMul<std::int32_t>(base, 10);
    }
    plan.factor = setting > 0 ? 1 : 2;
    plan.step = core::checkedMul<std::int32_t>(base, plan.factor);
    plan.fineDivision = divisionsOf(setting);

    if (const int m = plan.fineDivision) {
        const long double fine = static_cast<long double>(plan.step) / m;
        for (long long i = 1; i <= static_cast<long long>(m) * length / plan.step; ++i)
            plan.fineX.push_back(i * fine);
        for (long long i = 1; i <= static_cast<long long>(m) * width / plan.step; ++i)
            plan.fineY.push_back(i * fine);
    }
    const std::string zeros(static_cast<std::size_t>(plan.power), '0');
    for (std::int32_t i = 1; i <= length / plan.step; ++i) {
        plan.mainX.push_back(i * plan.step);
        plan.labelsX.push_back(std::to_string(i * plan.factor) + zeros);
    }
    for (std::int32_t i = 1; i <= width / plan.step; ++i) {
        plan.mainY.push_back(i * plan.step);
        plan.labelsY.push_back(std::to_string(i * plan.factor) + zeros);
    }
    return plan;
}

void drawGrid(LayoutCanvas& canvas, const LayoutView& view, int length, int width, int cx, int cy,
              long double scale) {
    const GridPlan plan = planGrid(length, width, view.tracks.grid);
    auto screenX = [&](long double x) { return cx - roundToInt((length / 2.0L - x) * scale + view.shiftX); };
    auto screenY = [&](long double y) { return cy + roundToInt((width / 2.0L - y) * scale + view.shiftY); };
    const int bottom = screenY(0);
    const int top = screenY(width);
    const int left = screenX(0);
    const int right = screenX(length);

    canvas.setPenWidth(0);
    // In each direction the fine lines first, so the main lines lie over them.
    canvas.setDrawColor(view.gridFineColor);
    for (const long double x : plan.fineX) canvas.line(screenX(x), bottom, screenX(x), top);
    canvas.setDrawColor(view.gridMainColor);
    for (const std::int32_t x : plan.mainX) canvas.line(screenX(x), bottom, screenX(x), top);
    for (std::size_t i = 0; i < plan.mainX.size(); ++i) {
        const QString label = QString::fromStdString(plan.labelsX[i]);
        canvas.textOut(screenX(plan.mainX[i]) - canvas.textWidth(label) / 2, top - canvas.textHeight() - 1,
                       label);
    }
    canvas.setDrawColor(view.gridFineColor);
    for (const long double y : plan.fineY) canvas.line(right, screenY(y), left, screenY(y));
    canvas.setDrawColor(view.gridMainColor);
    for (const std::int32_t y : plan.mainY) canvas.line(right, screenY(y), left, screenY(y));
    for (std::size_t i = 0; i < plan.mainY.size(); ++i)
        canvas.textOut(right + 2, screenY(plan.mainY[i]) - canvas.textHeight() / 2,
                       QString::fromStdString(plan.labelsY[i]));
    canvas.setPenWidth(view.lineWidth);
}

} // namespace rectix::render
