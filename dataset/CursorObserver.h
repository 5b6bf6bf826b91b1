#pragma once

namespace rectix::dataset {

class Cursor;
class Field;

// What a data-aware view hears from its cursor. Calls come after the change,
// on the one thread, and not while the cursor's controls are disabled; when
// they are enabled again the view hears dataChanged (and stateChanged when
// the state differs). A view must not change its cursor from these calls.
class CursorObserver {
  public:
    virtual ~CursorObserver() = default;
    // The current row is another one; the rows are the same.
    virtual void cursorScrolled(Cursor&) {}
    // The rows, their order or their values may have changed, and the current
    // row with them: show all anew.
    virtual void cursorDataChanged(Cursor&) {}
    // A field of the current record got a new value (its lookups and
    // calculated fields may have changed with it).
    virtual void cursorRecordChanged(Cursor&, const Field&) {}
    // Inactive, browse, edit or insert.
    virtual void cursorStateChanged(Cursor&) {}
    // A rule is about to refuse the field's value: the view that shows the
    // field brings it before the user (its cell current, the keyboard on it).
    virtual void cursorFieldFocused(Cursor&, const Field&) {}
};

} // namespace rectix::dataset
