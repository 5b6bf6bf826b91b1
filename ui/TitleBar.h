#pragma once

class QString;

namespace rectix::ui {

// The outer width a window needs for the window manager to show `title` whole in its title bar:
// the title in the bold application font beside the bar's icon and buttons. Window managers
// draw the bar themselves, so this is an allowance, not a measurement.
int titleBarWidth(const QString& title);

} // namespace rectix::ui
