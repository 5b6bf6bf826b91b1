#pragma once

namespace rectix::dataset {
class Cursor;
}

namespace rectix::ui {

// The question of the grids and navigators before a row is deleted; a fixed English text in
// every language, asked whatever the warnings setting.
inline constexpr const char* deleteRecordQuestion = "Delete record?";

// Asks the question (OK and Cancel) and deletes the cursor's current row on OK; false when the
// user cancelled. Errors of the delete, refusals included, reach the caller.
bool deleteRecordAsked(dataset::Cursor& cursor);

} // namespace rectix::ui
