#pragma once

namespace rectix::taskdb {

// What the data module needs of the optimizer settings window.
class SettingsWindow {
  public:
    virtual ~SettingsWindow() = default;
    // Colours the active settings that differ from the current task's.
    virtual void CurrOptSetColors() = 0;
    // Shows the active settings in the window's controls.
    virtual void ShowActiveOptions() = 0;
};

class NullSettingsWindow : public SettingsWindow {
  public:
    void CurrOptSetColors() override {}
    void ShowActiveOptions() override {}
};

} // namespace rectix::taskdb
