#pragma once

#include <string>
#include <string_view>

namespace rectix::dataset {
class Cursor;
}

namespace rectix::taskdb {

// What keeps the current row of `rows` from being used, as ValueRange::refusal or the "not a value
// of its type" message words it: its first stored or looked-up value that is not of its field's
// type, or (a null counting as 0) outside the range of its field in `table`, of a lookup's in
// `library`; "" when every value fits. Pass "" for a table whose ranges do not apply. Calculated
// fields are not read.
// `field`, when given, gets the name of the field refused.
std::string rowRefusal(const dataset::Cursor& rows, std::string_view table, std::string_view library,
                       std::string* field = nullptr);

// `what` placed at the current row of `rows`, and at its `field` when not empty: "table tasks, row
// (TaskID 1), field Power: what".
std::string atStoredRow(const dataset::Cursor& rows, const std::string& field, const std::string& what);

} // namespace rectix::taskdb
