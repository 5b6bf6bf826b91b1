#pragma once

namespace rectix::app {

// The task page's controls that the windows opened from it are placed by.
enum class TaskPageAnchor { BoxesButton, BoxesGrid, BoxesNavigator };

} // namespace rectix::app
