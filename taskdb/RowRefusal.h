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
std::string rowRefusal(const dataset::Cursor& rows, std::string_view table, std::string_view library);

} // namespace rectix::taskdb
