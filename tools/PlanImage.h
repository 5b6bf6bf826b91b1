#pragma once

#include <QImage>
#include <QSize>

#include <filesystem>

namespace rectix::engine {
class PackProblem;
}

namespace rectix::tools {

// What a picture of a plan shows, with the view options at their normal values otherwise.
struct PlanImageOptions {
    int container = 0; // 0 the overview, else that container alone
    int step = 0;      // single container: the boxes shown in loading order; 0 all
    bool chart = false;
    int grid = 0; // grid setting -4..4 over a single container
    QSize size{1000, 700};
};

// Draws the plan in the problem's result record through the layout page's routine. Throws
// std::invalid_argument when the container or step is not in the plan.
QImage drawPlanImage(engine::PackProblem& problem, const PlanImageOptions& options);

// Writes the picture to `file` as a PNG, whole or not at all: encoded in memory, then put in place
// by the durable writer, so that a full disk or a kill leaves the earlier file. Throws
// core::FileWriteError.
void savePlanImage(const QImage& image, const std::filesystem::path& file);

} // namespace rectix::tools
