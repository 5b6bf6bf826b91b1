#pragma once

#include <Qt>

namespace rectix::ui {

// The frame of a dialog whose size never changes: a title and a close button, no minimise or
// maximise, and a minimum size equal to its maximum, so that no window manager offers to resize
// it. Some window managers keep buttons of their own all the same (openbox keeps minimise on
// every dialog and draws maximise disabled); the hints are what a window can give.
inline constexpr Qt::WindowFlags fixedDialogFlags =
    Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;

} // namespace rectix::ui
