#pragma once

#include <QApplication>
#include <QEvent>
#include <QHelpEvent>
#include <QWidget>

// True when a hint request for the widget gets through to it, where its hint would be shown.
inline bool hintShows(QWidget* widget) {
    struct Probe : QObject {
        bool eventFilter(QObject*, QEvent* e) override {
            reached |= e->type() == QEvent::ToolTip;
            return false;
        }
        bool reached = false;
    } probe;
    widget->installEventFilter(&probe);
    QHelpEvent rest(QEvent::ToolTip, QPoint(1, 1), widget->mapToGlobal(QPoint(1, 1)));
    QApplication::sendEvent(widget, &rest);
    widget->removeEventFilter(&probe);
    return probe.reached;
}
