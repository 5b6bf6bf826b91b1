#pragma once

namespace rectix::ui {

// A control that can hold typing not yet written to its data: an open cell editor, an edit whose
// text is written when it is left. The command guard asks it to write before a command acts, since
// an accelerator or the window's close box moves no focus and would act on the old value.
class PendingEdit {
  public:
    // Writes what was typed; false when a rule refused it (its message was shown), and the command
    // that asked must not go on.
    virtual bool commitPendingEdit() = 0;

  protected:
    ~PendingEdit() = default;
};

} // namespace rectix::ui
