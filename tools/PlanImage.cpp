#include "PlanImage.h"

#include "CommandLine.h"

#include "core/DurableFile.h"
#include "engine/PackProblem.h"
#include "render/LayoutChart.h"
#include "render/LayoutPicture.h"
#include "render/LayoutView.h"
#include "render/ViewSettings.h"

#include <QBuffer>
#include <QPainter>

#include <stdexcept>
#include <string>
#include <string_view>

namespace rectix::tools {

QImage drawPlanImage(engine::PackProblem& problem, const PlanImageOptions& options) {
    const engine::PackSolution& plan = problem.resultSolution;
    render::LayoutView view;
    view.tracks.grid = options.grid;
    render::screenTracks(view);
    render::readViewSettings(view, problem);
    if (options.container != 0) {
        if (options.container < 1 || options.container > problem.contCount ||
            plan.boxLoad[options.container] == 0)
            throw std::invalid_argument(emptyContainerRefusal(options.container));
        view.currentContainer = static_cast<std::int16_t>(options.container);
        const int load = plan.boxLoad[options.container];
        if (options.step < 0 || options.step > load)
            throw std::invalid_argument("--step: container " + std::to_string(options.container) + " holds " +
                                        std::to_string(load) + " boxes");
        view.loadingStep = static_cast<std::int16_t>(options.step == 0 ? load : options.step);
    }
    QImage image(options.size, QImage::Format_RGB32);
    QPainter painter(&image);
    if (options.chart) {
        view.chartMode = true;
        render::drawChart(painter, options.size, view, problem);
    } else {
        render::LayoutPicture(view, problem).redrawLayout(painter, options.size, false);
    }
    return image;
}

void savePlanImage(const QImage& image, const std::filesystem::path& file) {
    QByteArray png;
    QBuffer buffer(&png);
    if (!buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, "PNG"))
        throw std::runtime_error("the picture could not be encoded as PNG");
    core::writeFileDurably(file, std::string_view(png.constData(), static_cast<std::size_t>(png.size())));
}

} // namespace rectix::tools
