#include "ui/RecordDeletion.h"

#include "core/Dialogs.h"
#include "dataset/Cursor.h"

namespace rectix::ui {

void deleteRecordAsked(dataset::Cursor& cursor) {
    const core::DialogButton answer =
        core::Dialogs::current().show(core::DialogKind::Confirmation, deleteRecordQuestion,
                                      core::DialogButton::Ok | core::DialogButton::Cancel, 0);
    if (answer == core::DialogButton::Ok) cursor.deleteRow();
}

} // namespace rectix::ui
