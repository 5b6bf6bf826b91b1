#include "ui/RecordDeletion.h"

#include "dataset/Cursor.h"
#include "ui/MessageDialogs.h"

namespace rectix::ui {

void deleteRecordAsked(dataset::Cursor& cursor) {
    const DialogButton answer = MessageDialogs::current().show(DialogKind::Confirmation, deleteRecordQuestion,
                                                               DialogButton::Ok | DialogButton::Cancel, 0);
    if (answer == DialogButton::Ok) cursor.deleteRow();
}

} // namespace rectix::ui
