#include "render/LayoutChart.h"

#include "core/Checked.h"
#include "core/Rounding.h"
#include "engine/PackProblem.h"
#include "render/LayoutCanvas.h"
#include "render/LayoutView.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace rectix::render {

namespace {

constexpr std::int32_t areaBarColour = 0xFF0000;   // blue
constexpr std::int32_t weightBarColour = 0x0000FF; // red
constexpr std::int32_t tickColour = 0x808080;
constexpr std::int32_t freeAreaColour = 0x505080;
constexpr std::int32_t freeWeightColour = 0x404040;

int roundToInt(long double x) {
    return core::narrow<int>(core::roundHalfEven(x));
}

QString percent(float efficiency) {
    return QStringLiteral("%1").arg(static_cast<long long>(std::round(100.0L * efficiency)), 2);
}

} // namespace

void drawChart(QPainter& painter, QSize size, const LayoutView& view, const engine::PackProblem& problem) {
    const engine::PackSolution& plan = problem.resultSolution;
    const int wd = size.width();
    const int ht = size.height();
    LayoutCanvas canvas(painter, false);
    canvas.clearBackground(view, wd, ht);
    canvas.setLabelFont(7);
    const int tA = canvas.textHeight();
    const long double room = ht - 5 * tA;
    const long double sA = problem.totals.maxContArea > 0 ? room / problem.totals.maxContArea : 0;
    const long double sW = problem.totals.maxLoadWt > 0 ? room / problem.totals.maxLoadWt : 0;
    const int cw = wd / (3 * std::max<int>(plan.usedConts, 3));

    const std::int16_t boxCount = problem.boxCount;
    (void)plan.contNo[boxCount];
    int k = 0;
    for (std::int16_t i = 1; i <= problem.contCount; ++i) {
        if (plan.boxLoad[i] < 1) continue;
        ++k;
        const int xA = cw * (3 * k - 2);
        const int xW = cw * (3 * k - 1);
        const int xE = cw * 3 * k;
        const std::int16_t type = problem.contInstType[i];

        canvas.setLabelFont(7);
        canvas.setDrawColor(view.textColor);
        const int tH = canvas.textHeight();
        canvas.textOut(xA - 1, 5,
                       QString::number(i) + QStringLiteral(". ") +
                           QString::fromStdString(problem.contTypes.mark[type]));
        canvas.textOut(xA - 1, tH + 5, QString::number(plan.boxLoad[i]) + QStringLiteral(" it."));
        canvas.textOut(xA - 1, 2 * tH + 5, percent(plan.wgtEff[i]) + QStringLiteral(" %W"));
        canvas.textOut(xA - 1, 3 * tH + 5, percent(plan.volEff[i]) + QStringLiteral(" %A"));

        const int areaTop = roundToInt(problem.contTypes.area[type] * sA);
        const int weightTop = roundToInt(problem.contTypes.loadWt[type] * sW);
        canvas.clearBrush();
        canvas.setPenColor(areaBarColour);
        canvas.rectangle(xA - 3, ht, xW - 5, ht - areaTop);
        canvas.setPenColor(weightBarColour);
        canvas.rectangle(xW - 3, ht, xE - 5, ht - weightTop);

        canvas.setLabelFont(6);
        canvas.setFontColor(view.textColor);
        canvas.setPenColor(tickColour);
        float area = 0;
        std::int32_t weight = 0;
        for (std::int16_t b = 1; b <= boxCount; ++b) {
            if (plan.contNo[b] != i) continue;
            const std::int16_t kind = problem.boxInstKind[b];
            area += problem.boxKinds.area[kind];
            weight = core::checkedAdd(weight, problem.boxKinds.weight[kind]);
            const int ya = ht - roundToInt(area * sA);
            const int yw = ht - roundToInt(weight * sW);
            canvas.line(xA - 3, ya, xW - 5, ya);
            canvas.line(xW - 3, yw, xE - 5, yw);
            const QString mark = QString::fromStdString(problem.boxKinds.mark[kind]);
            canvas.textOut(xA - 3 - canvas.textWidth(mark) - 1, ya, mark);
        }

        const int areaUsed = roundToInt(area * sA);
        const int weightUsed = roundToInt(weight * sW);
        canvas.setBrush(freeAreaColour);
        canvas.setPenColor(freeAreaColour);
        if (areaUsed + 1 < areaTop - 2) canvas.rectangle(xA - 1, ht - areaUsed - 1, xW - 7, ht - areaTop + 2);
        canvas.setBrush(freeWeightColour);
        canvas.setPenColor(freeWeightColour);
        if (weightUsed + 1 < weightTop - 2)
            canvas.rectangle(xW - 1, ht - weightUsed - 1, xE - 7, ht - weightTop + 2);
        canvas.clearBrush();
    }
}

} // namespace rectix::render
