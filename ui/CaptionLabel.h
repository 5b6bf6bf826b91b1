#pragma once

class QLabel;

namespace rectix::ui {

// A label whose text the language texts write, addressing it by `name` (its object name). Bold
// for a section heading.
QLabel* captionLabel(const char* name, bool bold = false);

} // namespace rectix::ui
