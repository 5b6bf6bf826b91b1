#pragma once

namespace rectix::taskdb {

// What the data module needs of the optimizer settings window.
class SettingsView {
  public:
    virtual ~SettingsView() = default;
    // Colours the active settings that differ from the current task's.
    virtual void currOptSetColors() = 0;
    // Shows the active settings in the window's controls.
    virtual void showActiveOptions() = 0;
};

class NullSettingsView : public SettingsView {
  public:
    void currOptSetColors() override {}
    void showActiveOptions() override {}
};

} // namespace rectix::taskdb
