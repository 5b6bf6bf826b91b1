#pragma once

#include "core/TextSlots.h"
#include "engine/Progress.h"

namespace rectix::taskdb {

// The progress window as the long table operations use it: the engine's
// progress interface, and showing and hiding the window around an operation.
class ProgressView : public engine::Progress {
  public:
    // The step of a table operation, in the words of a caption slot of the text tables.
    virtual void setStep(core::Caption captionSlot) = 0;
};

class NullProgressView : public ProgressView {
  public:
    void setStep(core::Caption) override {}
};

} // namespace rectix::taskdb
