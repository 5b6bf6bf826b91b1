#pragma once

#include <string>

namespace rectix::engine {

// What the run and the fill driver need of the progress window. The window
// itself lives in the window layer; the defaults do nothing, which serves
// headless runs (NullProgress) and lets a window override what it shows.
class Progress {
  public:
    virtual ~Progress() = default;

    virtual void setProgLab(const std::string&) {}
    virtual void setWaitLab(const std::string&) {}
    virtual void setTimeLab(const std::string&) {}
    virtual void setProgBar(int /*percent*/) {}
    virtual void setProgBarYnD(int /*percent*/) {}
    virtual void showProgBarYnD(bool /*visible*/) {}
    virtual void showTimeLab(bool /*visible*/) {}
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
