#pragma once

#include "dataset/Field.h"
#include "dataset/Value.h"

#include <QString>

namespace rectix::ui {

// The text a data-aware control shows for a field's value: dates in the
// user's regional short format, everything else as the field formats it.
QString shownValue(const dataset::Field& field, const dataset::Value& value);

} // namespace rectix::ui
