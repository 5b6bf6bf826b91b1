#pragma once

#include <string>

namespace rectix::engine {

// What the run and the fill driver need of the progress window. The window
// itself lives in the window layer; the defaults do nothing, which serves
// headless runs (NullProgress) and lets a window override what it shows.
class Progress {
  public:
    virtual ~Progress() = default;

    virtual void SetProgLab(const std::string&) {}
    virtual void SetWaitLab(const std::string&) {}
    virtual void SetTimeLab(const std::string&) {}
    virtual void SetProgBar(int /*percent*/) {}
    virtual void SetProgBarYnD(int /*percent*/) {}
    virtual void ShowProgBarYnD(bool /*visible*/) {}
    virtual void ShowTimeLab(bool /*visible*/) {}
    // Paints the changed controls now: no paint messages are handled during the work.
    virtual void Repaint() {}
    // Lets pending window events through, so that Esc can reach the window.
    virtual void ProcessMessages() {}

    // The abort flag that Esc in the window sets.
    virtual bool EscPressed() const { return esc_; }
    virtual void SetEscPressed(bool pressed) { esc_ = pressed; }

  private:
    bool esc_ = false;
};

class NullProgress : public Progress {};

} // namespace rectix::engine
