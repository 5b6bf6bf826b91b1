#include "ui/Hints.h"

#include <QApplication>
#include <QHelpEvent>
#include <QLabel>

#include <gtest/gtest.h>

#include <memory>

using rectix::ui::Hints;

namespace {

// Counts the hint requests that reach a widget, where its hint would be shown.
struct HintProbe : QObject {
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::ToolTip) ++reached;
        return false;
    }
    int reached = 0;
};

// Rests the mouse on the widget; true when its hint request reached it.
bool hintShows(QWidget* widget) {
    HintProbe probe;
    widget->installEventFilter(&probe);
    QHelpEvent rest(QEvent::ToolTip, QPoint(2, 2), widget->mapToGlobal(QPoint(2, 2)));
    QApplication::sendEvent(widget, &rest);
    return probe.reached == 1;
}

std::unique_ptr<QWidget> windowWithHint() {
    auto window = std::make_unique<QWidget>();
    auto* label = new QLabel(QStringLiteral("Grid"), window.get());
    label->setObjectName(QStringLiteral("Hinted"));
    label->setToolTip(QStringLiteral("Containers to use for loading"));
    return window;
}

QWidget* hinted(QWidget* window) {
    return window->findChild<QWidget*>(QStringLiteral("Hinted"));
}

} // namespace

TEST(Hints, TheSwitchReachesEveryWindowIncludingOnesShownLater) {
    auto early = windowWithHint();
    early->show();
    ASSERT_TRUE(hintShows(hinted(early.get())));

    Hints::global().setShown(false);
    EXPECT_FALSE(hintShows(hinted(early.get())));
    auto late = windowWithHint(); // created and shown after the switch
    late->show();
    EXPECT_FALSE(hintShows(hinted(late.get())));
    EXPECT_EQ(hinted(late.get())->toolTip(), QStringLiteral("Containers to use for loading"));

    Hints::global().setShown(true);
    EXPECT_TRUE(hintShows(hinted(late.get())));
    EXPECT_TRUE(hintShows(hinted(early.get())));
}
