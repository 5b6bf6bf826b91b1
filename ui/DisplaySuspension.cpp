#include "ui/DisplaySuspension.h"

#include "ui/ErrorBoundary.h"

#include <utility>

namespace rectix::ui {

DisplaySuspension::DisplaySuspension(const std::function<void()>& suspend, std::function<void()> resume)
    : resume_(std::move(resume)) {
    if (suspend) suspend();
}

DisplaySuspension::~DisplaySuspension() {
    // A destructor may run while an error unwinds: a failing resume is reported, not thrown.
    if (resume_) ErrorBoundary::run(resume_);
}

} // namespace rectix::ui
