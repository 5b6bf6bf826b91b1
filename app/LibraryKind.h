#pragma once

#include "app/TaskPageAnchor.h"
#include "taskdb/DataModule.h"
#include "taskdb/RunStore.h"

#include <QColor>
#include <QStringList>

#include <vector>

namespace rectix::app {

// One column of a library grid, as designed.
struct LibraryColumn {
    const char* field;
    int widthPixels = 0; // 0: the field's display width
    QStringList pickList{};
};

// What tells the container library from the box library: everything else of the two editors
// is one window.
struct LibraryKind {
    const char* objectName; // the window's object name
    const char* textsName;  // the name the language texts address the window by
    int helpContext;

    dataset::Cursor taskdb::DataModule::*library;     // conts, boxes
    dataset::Cursor taskdb::DataModule::*taskRows;    // tc, tb
    dataset::Cursor taskdb::DataModule::*allTaskRows; // tcloc, tbloc: every task's rows
    const char* keyField;                             // TypeID, KindID: in the library and in the task rows
    const char* nameField;                            // Type, Kind
    const char* amountField; // Avail, Total: the library quantity and the task row's amount

    bool taskdb::RunStore::*editMode;
    bool taskdb::RunStore::*askEachTask;
    bool taskdb::RunStore::Placement::*placement;

    std::vector<LibraryColumn> columns; // column 0 is the quantity

    int deleteQuestion; // message slot asked for each unused temporary row
    const char* deleteSeparator;
    bool answerForAll; // Clear offers No to All and Yes to All
    // Placement: the window's top is the screen y of this task page control's origin plus the
    // offset; its height reaches down to the screen's foot, or no further than the main window's
    // foot when `heightWithinMainWindow`.
    TaskPageAnchor anchor;
    int anchorOffset;
    bool heightWithinMainWindow;

    static const LibraryKind& containers();
    static const LibraryKind& boxes();
};

} // namespace rectix::app
