// The layout page's container navigation and loading sequence.
#include "results/LayoutWindow.h"

#include "engine/PackProblem.h"
#include "render/LayoutView.h"

namespace rectix::results {

namespace {
// A timer at 0 ms would spin; the animation speeds up no further than this.
constexpr int fastestInterval = 20;
} // namespace

void LayoutWindow::afterNavigation() {
    setNavigationCaptions();
    enableSequenceButtons(view_.currentContainer != 0);
    redraw();
}

void LayoutWindow::singleButtonClick() {
    stopFillTimer();
    if (view_.currentContainer != 0) {
        view_.currentContainer = 0;
    } else {
        for (std::int16_t c = 1; c <= problem_.contCount; ++c)
            if (boxLoad(c) > 0) {
                view_.currentContainer = c;
                break;
            }
        view_.loadingStep = boxLoad(view_.currentContainer);
    }
    afterNavigation();
}

void LayoutWindow::nextButtonClick() {
    stopFillTimer();
    std::int16_t c = view_.currentContainer;
    do {
        ++c;
    } while (c <= problem_.contCount && boxLoad(c) == 0);
    view_.currentContainer = c > problem_.contCount ? 0 : c;
    view_.loadingStep = boxLoad(view_.currentContainer);
    afterNavigation();
}

void LayoutWindow::prevButtonClick() {
    stopFillTimer();
    std::int16_t c = view_.currentContainer == 0 ? static_cast<std::int16_t>(problem_.contCount + 1)
                                                 : view_.currentContainer;
    do {
        --c;
    } while (c > 0 && boxLoad(c) == 0);
    view_.currentContainer = c;
    view_.loadingStep = boxLoad(view_.currentContainer);
    afterNavigation();
}

void LayoutWindow::oneButtonClick() {
    stopFillTimer();
    view_.loadingStep = 1;
    redraw();
}

void LayoutWindow::minButtonClick() {
    stopFillTimer();
    if (view_.loadingStep <= 1) return;
    --view_.loadingStep;
    redraw();
}

void LayoutWindow::plsButtonClick() {
    stopFillTimer();
    if (view_.loadingStep >= boxLoad(view_.currentContainer)) return;
    ++view_.loadingStep;
    redraw();
}

void LayoutWindow::sumButtonClick() {
    stopFillTimer();
    view_.loadingStep = boxLoad(view_.currentContainer);
    redraw();
}

void LayoutWindow::fillButtonClick() {
    if (timer2_.isActive()) {
        timer2_.setInterval(std::max(fastestInterval, timer2_.interval() * 2 / 3));
        return;
    }
    if (view_.loadingStep >= boxLoad(view_.currentContainer)) return;
    ++view_.loadingStep;
    redraw();
    timer2_.start(fillInterval_);
}

void LayoutWindow::timer2Timer() {
    if (view_.loadingStep >= boxLoad(view_.currentContainer)) {
        stopFillTimer();
        return;
    }
    ++view_.loadingStep;
    redraw();
}

} // namespace rectix::results
