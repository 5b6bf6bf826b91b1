#pragma once

namespace rectix::engine {

// Where a run stands. The progress window words each phase from the text tables.
enum class RunPhase {
    Packing,  // the run has started; Esc aborts it
    Stopping, // Esc was pressed or the time is up: the fill in hand ends
    Finished, // the run is over; the elapsed time is the run's
};

// What the run and the fill driver report to the progress window: numbers and a phase, never
// texts. The window lives in the window layer; the defaults do nothing, which serves headless
// runs (NullProgress).
class Progress {
  public:
    virtual ~Progress() = default;

    virtual void setPhase(RunPhase) {}
    // The whole run's progress, 0 to 100.
    virtual void setOverallPercent(int) {}
    // The progress of the container being filled, 0 to 100, and whether that bar shows.
    virtual void setContainerPercent(int) {}
    virtual void showContainerPercent(bool) {}
    // Milliseconds since the run started, and whether the time shows.
    virtual void setElapsedMs(double) {}
    virtual void showElapsed(bool) {}
    // Paints the changed controls now: no paint messages are handled during the work.
    virtual void repaintNow() {}
    // Lets pending window events through, so that Esc can reach the window.
    virtual void processMessages() {}

    // The abort flag that Esc in the window sets.
    virtual bool escPressed() const { return esc_; }
    virtual void setEscPressed(bool pressed) { esc_ = pressed; }

  private:
    bool esc_ = false;
};

class NullProgress : public Progress {};

} // namespace rectix::engine
