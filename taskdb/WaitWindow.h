#pragma once

#include "engine/Progress.h"

namespace rectix::taskdb {

// The progress window as the long table operations use it: the engine's
// progress interface, and showing and hiding the window around an operation.
class WaitWindow : public engine::Progress {
  public:
    virtual void Show() = 0;
    virtual void Hide() = 0;
};

class NullWaitWindow : public WaitWindow {
  public:
    void Show() override {}
    void Hide() override {}
    void SetProgLab(const std::string&) override {}
    void SetWaitLab(const std::string&) override {}
    void SetTimeLab(const std::string&) override {}
    void SetProgBar(int) override {}
    void SetProgBarYnD(int) override {}
    void ShowProgBarYnD(bool) override {}
    void ShowTimeLab(bool) override {}
    void Repaint() override {}
    void ProcessMessages() override {}
    bool EscPressed() const override { return esc_; }
    void SetEscPressed(bool pressed) override { esc_ = pressed; }

  private:
    bool esc_ = false;
};

} // namespace rectix::taskdb
