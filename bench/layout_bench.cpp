// Prints the time to draw a 1000-box overview and to step through the loading sequence of a
// container of 1000 boxes, each step a full redraw as on the layout page.
#include "engine/PackProblem.h"
#include "render/LayoutPicture.h"
#include "render/LayoutView.h"
#include "render/ViewSettings.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace {

using namespace rectix;
using Clock = std::chrono::steady_clock;

// `containers` containers of 1000 x 1000 holding `perContainer` boxes of 30 kinds in rows.
void buildPlan(engine::PackProblem& p, int containers, int perContainer) {
    p.contTypeCount = 1;
    p.contTypes.length[1] = 1000;
    p.contTypes.width[1] = 1000;
    p.contTypes.mark[1] = "T";
    p.boxKindCount = 30;
    for (int k = 1; k <= 30; ++k) {
        p.boxKinds.name[k] = "Kind " + std::to_string(k);
        p.boxKinds.mark[k] = std::to_string(k);
    }
    const int perRow = 32;
    const int side = 1000 / perRow;
    engine::PackSolution& plan = p.resultSolution;
    for (int c = 1; c <= containers; ++c) {
        p.contInstType[c] = 1;
        for (int j = 0; j < perContainer; ++j) {
            const int b = ++p.boxCount;
            p.boxInstKind[b] = static_cast<std::int16_t>(b % 30 + 1);
            plan.contNo[b] = static_cast<std::int16_t>(c);
            plan.loadNo[b] = static_cast<std::int16_t>(j + 1);
            plan.posX[b] = static_cast<std::int16_t>(j % perRow * side);
            plan.posY[b] = static_cast<std::int16_t>(j / perRow * side);
            plan.posLh[b] = plan.posWh[b] = static_cast<std::int16_t>(side);
        }
        plan.boxLoad[c] = static_cast<std::int16_t>(perContainer);
        plan.volEff[c] = 0.9f;
    }
    p.contCount = static_cast<std::int16_t>(containers);
    plan.usedConts = static_cast<std::int16_t>(containers);
    plan.loadedBoxes = p.boxCount;
}

double millisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

void report(const char* what, std::vector<double> ms) {
    std::sort(ms.begin(), ms.end());
    double total = 0;
    for (double m : ms) total += m;
    std::printf("%s: mean %.2f ms, median %.2f ms, worst %.2f ms over %zu draws\n", what,
                total / static_cast<double>(ms.size()), ms[ms.size() / 2], ms.back(), ms.size());
}

} // namespace

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    QGuiApplication app(argc, argv);
    const QSize size(1600, 1000);
    QImage image(size, QImage::Format_RGB32);

    {
        engine::PackProblem problem;
        buildPlan(problem, 20, 50);
        render::LayoutView view;
        render::screenTracks(view);
        render::readViewSettings(view, problem);
        render::LayoutPicture picture(view, problem);
        {
            QPainter warmUp(&image); // loads the fonts
            picture.redrawLayout(warmUp, size, false);
        }
        std::vector<double> ms;
        for (int i = 0; i < 100; ++i) {
            const auto start = Clock::now();
            QPainter painter(&image);
            picture.redrawLayout(painter, size, false);
            painter.end();
            ms.push_back(millisecondsSince(start));
        }
        report("overview of 20 containers, 1000 boxes, 1600x1000", ms);
    }
    {
        engine::PackProblem problem;
        buildPlan(problem, 1, 1000);
        render::LayoutView view;
        view.tracks.grid = 2;
        render::screenTracks(view);
        render::readViewSettings(view, problem);
        view.currentContainer = 1;
        render::LayoutPicture picture(view, problem);
        std::vector<double> ms;
        for (int step = 1; step <= 1000; ++step) {
            view.loadingStep = static_cast<std::int16_t>(step);
            const auto start = Clock::now();
            QPainter painter(&image);
            picture.redrawLayout(painter, size, false);
            painter.end();
            ms.push_back(millisecondsSince(start));
        }
        report("loading sequence 1..1000 of one container of 1000 boxes, with grid, 1600x1000", ms);
    }
    return 0;
}
