#include "ui/RecordDeletion.h"

#include "core/Dialogs.h"
#include "dataset/Cursor.h"

namespace rectix::ui {

bool deleteRecordAsked(dataset::Cursor& cursor) {
    const core::DialogButton answer =
        core::Dialogs::current().show(core::DialogKind::Confirmation, deleteRecordQuestion,
                                      core::DialogButton::Ok | core::DialogButton::Cancel, 0);
    if (answer != core::DialogButton::Ok) return false;
    cursor.deleteRow();
    return true;
}

} // namespace rectix::ui
