#pragma once

#include "dataset/Field.h"
#include "dataset/Value.h"

#include <QString>

namespace rectix::ui {

// The text a data-aware control shows for a field's value: dates in the
// user's regional short format, everything else as the field formats it.
QString shownValue(const dataset::Field& field, const dataset::Value& value);

// Whether the field shows a number or a date: a text that is never cut short (FigureFit).
bool showsFigure(const dataset::Field& field);

// The text an editor of the field starts with: the current value without the
// display format, a number with the regional decimal separator.
QString editedText(const dataset::Field& field);

// What was typed into an editor of the field, as the value to assign: a
// number field takes the regional decimal separator or a point.
dataset::Value typedValue(const dataset::Field& field, const QString& text);

} // namespace rectix::ui
