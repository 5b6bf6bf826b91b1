#pragma once

#include <string>

namespace rectix::engine {

// What the run and the fill driver need of the progress window. The window
// itself lives in the window layer; NullProgress serves headless runs.
class Progress {
public:
    virtual ~Progress() = default;

    virtual void SetProgLab(const std::string& text) = 0;
    virtual void SetWaitLab(const std::string& text) = 0;
    virtual void SetTimeLab(const std::string& text) = 0;
    virtual void SetProgBar(int percent) = 0;
    virtual void SetProgBarYnD(int percent) = 0;
    virtual void ShowProgBarYnD(bool visible) = 0;
    virtual void ShowTimeLab(bool visible) = 0;
    // Paints the changed controls now: no paint messages are handled during the work.
    virtual void Repaint() = 0;
    // Lets pending window events through, so that Esc can reach the window.
    virtual void ProcessMessages() = 0;

    virtual bool EscPressed() const = 0;
    virtual void SetEscPressed(bool pressed) = 0;
};

class NullProgress : public Progress {
public:
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

} // namespace rectix::engine
