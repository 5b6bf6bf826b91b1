#pragma once

class QLabel;

namespace rectix::ui {

// A label whose text the language texts address by `name` (its object name); `text` is the
// English design text shown until they are written. Bold for a section heading.
QLabel* captionLabel(const char* name, const char* text, bool bold = false);

} // namespace rectix::ui
