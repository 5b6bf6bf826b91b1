#pragma once

#include <QSize>

class QPainter;

namespace rectix::engine {
class PackProblem;
}

namespace rectix::render {

struct LayoutView;

// The area and weight chart of the plan in the problem's result record: per loaded container an
// area bar and a weight bar, as tall as the type's capacity against the largest in the task,
// with a tick per box at the running totals, the box marks, the free rest shaded and four text
// lines above. A task without container area or load capacity gets flat bars.
void drawChart(QPainter& painter, QSize size, const LayoutView& view, const engine::PackProblem& problem);

} // namespace rectix::render
