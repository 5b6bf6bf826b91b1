#pragma once

#include "ui/DataColumn.h"

#include <QString>

class QPushButton;

// The small builders the windows share for their controls. Object names are the ones the
// language text sets address the controls by.
namespace rectix::ui {

// A push button that never becomes the window's default button, so Enter stays with the control
// that has the focus. Captions and hints the language texts write are left empty here.
QPushButton* namedButton(const char* name, const QString& caption = {}, const QString& hint = {});

// A grid column the user cannot type into, `widthPixels` wide at the design's font; its title is
// the language texts'.
DataColumn readOnlyColumn(const char* field, int widthPixels);

} // namespace rectix::ui
