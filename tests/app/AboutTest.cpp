#include "HintProbe.h"

#include "app/AboutWindow.h"
#include "app/ProgressWindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QHelpEvent>
#include <QLabel>
#include <QTest>

#include <gtest/gtest.h>

using namespace rectix::app;

namespace {

QCheckBox* check(QWidget& w, const char* name) {
    return w.findChild<QCheckBox*>(QString::fromLatin1(name));
}

} // namespace

TEST(About, UncheckingPromptsHidesTheHintsOfEveryWindowEvenOnesNotShownYet) {
    AboutWindow about;
    ProgressWindow wait; // exists, not shown
    ASSERT_TRUE(check(about, "HintsCheck")->isChecked());
    about.show();

    QTest::mouseClick(check(about, "HintsCheck"), Qt::LeftButton);
    EXPECT_FALSE(AboutWindow::prompts());
    EXPECT_FALSE(hintShows(check(about, "WarnsCheck")));
    wait.show();
    EXPECT_FALSE(hintShows(wait.findChild<QLabel*>(QStringLiteral("TimeLab"))));

    QTest::mouseClick(check(about, "HintsCheck"), Qt::LeftButton);
    EXPECT_TRUE(AboutWindow::prompts());
    EXPECT_TRUE(hintShows(wait.findChild<QLabel*>(QStringLiteral("TimeLab"))));
}

TEST(About, WarningsIsReadAtTheMomentOfAsking) {
    EXPECT_TRUE(AboutWindow::warnings()); // as at start, before the window exists
    {
        AboutWindow about;
        EXPECT_TRUE(check(about, "WarnsCheck")->isChecked());
        check(about, "WarnsCheck")->setChecked(false);
        EXPECT_FALSE(AboutWindow::warnings());
        check(about, "WarnsCheck")->setChecked(true);
        EXPECT_TRUE(AboutWindow::warnings());
    }
}
