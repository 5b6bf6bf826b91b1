#pragma once

#include <QColor>
#include <QGuiApplication>
#include <QPalette>
#include <QWidget>

#include <cstdint>

namespace rectix::app {

// Colours the task page shares with the windows beside it.
inline const QColor libraryYellow{254, 255, 222}; // values that only the libraries change
inline const QColor aqua{0, 255, 255};            // results and the task's name
inline const QColor noTaskGrey{242, 242, 242};    // task controls while there is no task
inline const QColor greenFont{0, 128, 0};         // costs
inline const QColor blueFont{0, 0, 255};          // amounts to pack
inline const QColor leftBoxesRed{255, 187, 187};  // a solved task leaves boxes

// A colour value with red in the lowest byte.
inline QColor fromColourValue(std::uint32_t c) {
    return QColor(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF),
                  static_cast<int>((c >> 16) & 0xFF));
}

// Paints the widget's field (an edit's or a grid's background) in the colour while it is
// enabled; disabled, in `disabled`, by default as grey as every disabled field.
inline void setBaseColour(QWidget* w, const QColor& colour, const QColor& disabled = {}) {
    QPalette p = w->palette();
    p.setColor(QPalette::Active, QPalette::Base, colour);
    p.setColor(QPalette::Inactive, QPalette::Base, colour);
    p.setColor(QPalette::Disabled, QPalette::Base,
               disabled.isValid() ? disabled
                                  : QGuiApplication::palette().color(QPalette::Disabled, QPalette::Base));
    w->setPalette(p);
}

} // namespace rectix::app
