#include "render/LayoutPicture.h"

#include "core/Checked.h"
#include "core/Rounding.h"
#include "core/UiTexts.h"
#include "engine/PackProblem.h"
#include "render/LayoutCanvas.h"
#include "render/LayoutGrid.h"
#include "render/LayoutView.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace rectix::render {

namespace {

using core::roundHalfEven;

int roundToInt(long double x) {
    return core::narrow<int>(roundHalfEven(x));
}

// A fill figure as a whole percentage, halves away from zero, at least two characters wide.
QString percent(float efficiency) {
    const auto value = static_cast<long long>(std::round(100.0L * efficiency));
    return QStringLiteral("%1").arg(value, 2);
}

QString text(const std::string& s) {
    return QString::fromStdString(s);
}

} // namespace

QString boxLabel(const ViewTracks& tracks, const engine::PackProblem& problem, std::int16_t box) {
    const std::int16_t kind = problem.boxInstKind[box];
    QString label = text(tracks.markKind ? problem.boxKinds.name[kind] : problem.boxKinds.mark[kind]);
    if (tracks.orient) {
        const int lh = problem.resultSolution.posLh[box];
        const int wh = problem.resultSolution.posWh[box];
        if (lh < wh && 0.83L * wh < lh)
            label += QLatin1Char('|');
        else if (wh < lh && 0.83L * lh < wh)
            label += QLatin1Char('_');
    }
    return label;
}

LayoutPicture::LayoutPicture(LayoutView& view, const engine::PackProblem& problem)
    : view_(view), problem_(problem) {}

int LayoutPicture::screenX(const Cell& cell, long double x) const {
    return cell.cx - roundToInt((cell.length / 2.0L - x) * cell.scale + view_.shiftX);
}

int LayoutPicture::screenY(const Cell& cell, long double y) const {
    return cell.cy + roundToInt((cell.width / 2.0L - y) * cell.scale + view_.shiftY);
}

void LayoutPicture::redrawLayout(QPainter& painter, QSize size, bool printMode) {
    LayoutView& v = view_;
    const engine::PackSolution& plan = problem_.resultSolution;
    v.printMode = printMode;
    const int wd = size.width();
    const int ht = size.height();
    LayoutCanvas canvas(painter, printMode);
    canvas.clearBackground(v, wd, ht);

    if (v.currentContainer != 0 && plan.boxLoad[v.currentContainer] == 0) v.currentContainer = 0;
    const bool single = v.currentContainer != 0;

    canvas.setLabelFont(7);
    const int th = canvas.textHeight();
    v.topBand = core::toI16(roundHalfEven(1.2L * th));
    v.captionBand = core::toI16(roundHalfEven(1.2L * th));
    v.marginY = core::toI16(roundHalfEven((single ? 0.9L : 0.4L) * th));
    v.marginX = core::toI16(roundHalfEven((single ? 2.2L : 0.6L) * th));

    std::vector<std::int16_t> drawn;
    if (single) {
        drawn.push_back(v.currentContainer);
        v.gridCols = v.gridRows = 1;
    } else {
        const std::int16_t count = problem_.contCount;
        (void)plan.boxLoad[count]; // one range check for the loop
        int widest = 0;
        for (std::int16_t i = 1; i <= count; ++i) {
            if (plan.boxLoad[i] == 0) continue;
            drawn.push_back(i);
            widest = std::max<int>(widest, problem_.contTypes.width[problem_.contInstType[i]]);
        }
        v.gapBase = static_cast<float>(widest);
        chooseGrid(drawn, wd, ht);
    }

    const std::int16_t boxCount = problem_.boxCount;
    for (std::int16_t b = 0; b <= boxCount; ++b) {
        v.boxCentreX[b] = v.boxCentreY[b] = 0;
        v.boxDrawn[b] = false;
    }

    canvas.setLabelFont(v.gridCols * v.gridRows == 1 ? 7 : 6);
    int k = 0;
    for (const std::int16_t i : drawn) {
        ++k;
        const int row = (k - 1) / v.gridCols + 1;
        const int column = (k - 1) % v.gridCols + 1;
        Cell cell;
        cell.cx = wd * (2 * column - 1) / (2 * v.gridCols);
        cell.cy = (ht - v.topBand) * (2 * row - 1) / (2 * v.gridRows) + v.topBand - v.captionBand / 2;
        const std::int16_t type = problem_.contInstType[i];
        cell.length = problem_.contTypes.length[type];
        cell.width = problem_.contTypes.width[type];
        // A container without area has no scale to be drawn at.
        if (cell.length <= 0 || cell.width <= 0) continue;
        if (single) {
            v.gapBase = static_cast<float>(cell.width);
            cell.scale = std::min(static_cast<long double>(wd - 2 * v.marginX) / cell.length,
                                  static_cast<long double>(ht - 2 * v.marginY - v.captionBand - v.topBand) /
                                      cell.width) *
                         v.magnification;
        } else {
            cell.scale = overviewScale_;
        }

        drawBox(canvas, 0, 0, 0, cell.length, cell.width, QString(), v.frameColor, cell, 0);
        if (!single) v.loadingStep = plan.boxLoad[i];
        const Extent extent = drawBoxes(canvas, i, cell);
        if (single && v.tracks.grid != 0)
            drawGrid(canvas, v, cell.length, cell.width, cell.cx, cell.cy, cell.scale);
        drawCaption(canvas, i, cell, row, ht, single ? &extent : nullptr);
    }

    if (!single || plan.usedConts <= 1) drawStatusLines(canvas);
}

long double LayoutPicture::overviewScale(const std::vector<std::int16_t>& drawn, int cols, int rows,
                                         int width, int height) const {
    long double scale = 25555.0L;
    for (const std::int16_t i : drawn) {
        const std::int16_t type = problem_.contInstType[i];
        const int length = problem_.contTypes.length[type];
        const int side = problem_.contTypes.width[type];
        if (length <= 0 || side <= 0) continue;
        scale = std::min(scale, static_cast<long double>(width - 2 * cols * view_.marginX) / cols / length);
        scale = std::min(scale, static_cast<long double>(height - 2 * rows * view_.marginY -
                                                         rows * view_.captionBand - view_.topBand) /
                                    rows / side);
    }
    return scale;
}

// The column count with the strictly largest fitting scale, so among equal scales the fewest
// columns. Without a loaded container the grid stays as it was.
void LayoutPicture::chooseGrid(const std::vector<std::int16_t>& drawn, int width, int height) {
    const int n = problem_.resultSolution.usedConts;
    long double best = 0;
    for (int c = 1; c <= n; ++c) {
        const int r = (n + c - 1) / c;
        const long double candidate = overviewScale(drawn, c, r, width, height);
        if (candidate > best) {
            best = candidate;
            view_.gridCols = core::toI16(c);
            view_.gridRows = core::toI16(r);
        }
    }
    overviewScale_ = best * view_.magnification;
}

LayoutPicture::Extent LayoutPicture::drawBoxes(LayoutCanvas& canvas, std::int16_t container,
                                               const Cell& cell) {
    const engine::PackSolution& plan = problem_.resultSolution;
    const engine::BoxKinds& kinds = problem_.boxKinds;
    const int steps = std::max<int>(view_.loadingStep, 0);
    // The first box of each load number, found in one pass instead of one search per step.
    std::vector<std::int16_t> boxOfStep(static_cast<std::size_t>(steps) + 1, 0);
    const std::int16_t boxCount = problem_.boxCount;
    (void)plan.contNo[boxCount];
    for (std::int16_t b = 1; b <= boxCount; ++b) {
        const int j = plan.loadNo[b];
        if (plan.contNo[b] == container && j >= 1 && j <= steps &&
            boxOfStep[static_cast<std::size_t>(j)] == 0)
            boxOfStep[static_cast<std::size_t>(j)] = b;
    }

    Extent extent{cell.length, 0, 0};
    for (int j = 1; j <= steps; ++j) {
        const std::int16_t b = boxOfStep[static_cast<std::size_t>(j)];
        if (b == 0) continue;
        const std::int16_t kind = problem_.boxInstKind[b];
        const int lh = plan.posLh[b];
        const int wh = plan.posWh[b];
        drawBox(canvas, b, plan.posX[b], plan.posY[b], lh, wh, boxLabel(view_.tracks, problem_, b),
                kinds.color[kind], cell, view_.gapSetting);
        extent.minX = std::min<int>(extent.minX, plan.posX[b]);
        extent.maxRight = std::max(extent.maxRight, plan.posX[b] + lh);
        extent.maxTop = std::max(extent.maxTop, plan.posY[b] + wh);
    }
    return extent;
}

void LayoutPicture::drawBox(LayoutCanvas& canvas, int box, int x, int y, int lb, int wb, const QString& label,
                            std::int32_t colour, const Cell& cell, long double gapSetting) {
    LayoutView& v = view_;
    const long double g = gapSetting * v.gapBase / 300.0L;
    const long double gx = 0.25L * lb < g ? 0.25L * lb : g;
    const long double gy = 0.25L * wb < g ? 0.25L * wb : g;

    canvas.setDrawColor(colour);
    if (box == 0)
        canvas.setBrush(v.backgroundColor);
    else if (v.partGrey == 0)
        canvas.setBrush(colour);
    else
        canvas.setBrush(v.partGrey);
    const long double halfL = cell.length / 2.0L;
    const long double halfW = cell.width / 2.0L;
    const long double s = cell.scale;
    const int left = cell.cx - roundToInt((halfL - x - gx) * s + v.shiftX);
    const int right = cell.cx + 1 - roundToInt((halfL - x - lb + gx) * s + v.shiftX);
    const int lower = cell.cy + roundToInt((halfW - y - gy) * s + v.shiftY);
    const int upper = cell.cy - 1 + roundToInt((halfW - y - wb + gy) * s + v.shiftY);
    canvas.rectangle(left, upper, right, lower);
    canvas.clearBrush();
    if (box == 0) return;

    if (v.partGrey == 0)
        canvas.setFontColor(0);
    else
        canvas.setFontColor(v.partGrey > 0xD0D0D0 ? v.boxTextColor : colour);
    const int centreX = cell.cx - roundToInt((halfL - x - 0.5L * lb) * s + v.shiftX);
    const int centreY = cell.cy + roundToInt((halfW - y - 0.5L * wb) * s + v.shiftY);
    v.boxCentreX[box] = core::toI16(centreX);
    v.boxCentreY[box] = core::toI16(centreY);
    v.boxDrawn[box] = true;

    const QString trimmed = label.trimmed();
    if (trimmed.contains(QLatin1Char('!')) && v.tracks.markKind)
        drawCentredText(canvas, centreX, centreY, trimmed);
    else
        canvas.textOut(centreX - canvas.textWidth(trimmed) / 2, centreY - canvas.textHeight() / 2, trimmed);
}

// A "!" in a label breaks it into lines, centred as a block on (x, y).
void LayoutPicture::drawCentredText(LayoutCanvas& canvas, int x, int y, const QString& label) {
    const int parts = static_cast<int>(label.count(QLatin1Char('!'))) + 1;
    const int step = canvas.textHeight() - 2;
    int top = y - roundToInt(step * (parts + 0.4L) / 2.0L);
    QString rest = label.trimmed();
    for (qsizetype bang = rest.indexOf(QLatin1Char('!')); bang >= 0; bang = rest.indexOf(QLatin1Char('!'))) {
        const QString part = rest.left(bang);
        canvas.textOut(x - canvas.textWidth(part) / 2, top, part);
        top += step;
        rest = rest.mid(bang + 1).trimmed();
    }
    canvas.textOut(x - canvas.textWidth(rest) / 2, top, rest);
}

void LayoutPicture::drawCaption(LayoutCanvas& canvas, std::int16_t container, const Cell& cell, int row,
                                int height, const Extent* extent) {
    const engine::PackSolution& plan = problem_.resultSolution;
    const LayoutView& v = view_;
    QString caption = QString::number(container) + QStringLiteral(". ") +
                      text(problem_.contTypes.mark[problem_.contInstType[container]]) + QStringLiteral(": ") +
                      percent(plan.wgtEff[container]) + QStringLiteral(" %W,  ") +
                      percent(plan.volEff[container]) + QStringLiteral(" %A,  ");
    if (plan.boxLoad[container] > v.loadingStep)
        caption += QString::number(v.loadingStep) + QStringLiteral(" of ");
    caption += QString::number(plan.boxLoad[container]) + QStringLiteral(" it.");
    if (extent)
        caption += QStringLiteral(", dX=") + QString::number(extent->maxRight - extent->minX) +
                   QStringLiteral(" dY=") + QString::number(extent->maxTop);
    canvas.setDrawColor(v.textColor);
    const int left = cell.cx - roundToInt(v.shiftX) - canvas.textWidth(caption) / 2;
    const int top =
        roundToInt(v.shiftY) + v.topBand - v.captionBand + 2 + (height - v.topBand) * row / v.gridRows;
    canvas.textOut(left, top, caption);
}

void LayoutPicture::drawStatusLines(LayoutCanvas& canvas) {
    const engine::PackSolution& plan = problem_.resultSolution;
    canvas.setDrawColor(view_.textColor);
    const int left = core::checkedSub<int>(problem_.boxCount, plan.loadedBoxes);
    int next = 5;
    if (left > 0) {
        const QString line =
            text(core::messageText(core::Msg::LeftBoxes)) + QLatin1Char(' ') + QString::number(left);
        canvas.textOut(5, 2, line);
        next = canvas.textWidth(line) + 20;
    }
    if (problem_.contCount > 1 && plan.lastCont > 0 && plan.lastCont < 500)
        canvas.textOut(next, 2,
                       text(core::messageText(core::Msg::LastContainer)) + QLatin1Char(' ') +
                           QString::number(plan.lastCont));
}

} // namespace rectix::render
