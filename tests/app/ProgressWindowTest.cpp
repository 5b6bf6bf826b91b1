#include "app/ProgressWindow.h"
#include "../support/RegionalDesktop.h"
#include "lang/Language.h"
#include "ui/WindowTexts.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHash>
#include <QLabel>
#include <QProgressBar>
#include <QTest>
#include <QtTest/qtestspontaneevent.h>

#include <gtest/gtest.h>

using rectix::app::ProgressWindow;

namespace {

template <typename T> T* part(QWidget& w, const char* name) {
    return w.findChild<T*>(QString::fromLatin1(name));
}

} // namespace

TEST(WaitForm, EscSetsTheAbortFlagAndOtherKeysDoNothing) {
    ProgressWindow wait;
    wait.beginOperation();
    EXPECT_FALSE(wait.escPressed());
    for (Qt::Key key : {Qt::Key_A, Qt::Key_Return, Qt::Key_Space, Qt::Key_Q, Qt::Key_F1})
        QTest::keyClick(&wait, key);
    EXPECT_FALSE(wait.escPressed());
    EXPECT_TRUE(wait.isVisible());

    QTest::keyClick(&wait, Qt::Key_Escape);
    EXPECT_TRUE(wait.escPressed());
    EXPECT_TRUE(wait.isVisible()); // Esc does not close it
    QCloseEvent closeBox;          // as the window system sends it
    QSpontaneKeyEvent::setSpontaneous(&closeBox);
    qApp->notify(&wait, &closeBox);      // sendEvent would clear the flag
    EXPECT_FALSE(closeBox.isAccepted()); // nor does its close box: the operation hides it
    wait.close();                        // the program can, as when it quits
    EXPECT_FALSE(wait.isVisible());

    wait.setEscPressed(false);
    wait.endOperation();
    QTest::keyClick(&wait, Qt::Key_Escape); // also while no run is active
    EXPECT_TRUE(wait.escPressed());
}

TEST(WaitForm, ControlsArePlacedAsDesignedAndBarsStayInRange) {
    ProgressWindow wait;
    // The client area of 292 x 84 under a title bar the window draws, with no frame buttons.
    EXPECT_EQ(part<QLabel>(wait, "WaitLab")->parentWidget()->size(), QSize(292, 84));
    const Qt::WindowFlags frameButtons = Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint |
                                         Qt::WindowCloseButtonHint | Qt::WindowSystemMenuHint;
    EXPECT_TRUE(wait.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_FALSE(wait.windowFlags() & frameButtons);
    EXPECT_EQ(part<QLabel>(wait, "Title")->text(), QStringLiteral("Rectix"));
    EXPECT_LE(part<QLabel>(wait, "Title")->geometry().bottom(),
              part<QLabel>(wait, "WaitLab")->parentWidget()->y());
    EXPECT_EQ(part<QLabel>(wait, "WaitLab")->geometry(), QRect(176, 8, 101, 16));
    EXPECT_EQ(part<QProgressBar>(wait, "ProgBar")->geometry(), QRect(16, 32, 263, 20));
    EXPECT_EQ(part<QLabel>(wait, "ProgLab")->geometry(), QRect(16, 8, 161, 16));
    EXPECT_EQ(part<QProgressBar>(wait, "ProgBarYnD")->geometry(), QRect(16, 60, 163, 12));
    EXPECT_EQ(part<QLabel>(wait, "TimeLab")->geometry(), QRect(188, 58, 90, 16));
    EXPECT_EQ(wait.windowTitle(), QStringLiteral("Rectix"));
    EXPECT_TRUE(part<QProgressBar>(wait, "ProgBarYnD")->isHidden());

    wait.setOverallPercent(140);
    EXPECT_EQ(part<QProgressBar>(wait, "ProgBar")->value(), 100);
    wait.setContainerPercent(-3);
    EXPECT_EQ(part<QProgressBar>(wait, "ProgBarYnD")->value(), 0);
    // A long text widens its label as far as its neighbour leaves room, so none covers another.
    QLabel* step = part<QLabel>(wait, "ProgLab");
    QLabel* busy = part<QLabel>(wait, "WaitLab");
    wait.setWaitLab("");
    wait.setProgLab("Effacement de la solution du BD...");
    EXPECT_GE(step->width(), step->sizeHint().width());
    wait.setWaitLab("Echap = annuler");
    EXPECT_LT(step->geometry().right(), busy->x());
    EXPECT_EQ(busy->geometry().right(), 276);
    wait.setProgLab("");
    wait.setWaitLab("Veuillez patienter, s'il vous plait");
    EXPECT_GE(busy->width(), busy->sizeHint().width());
    EXPECT_EQ(busy->geometry().right(), 276);
    wait.showContainerPercent(true);
    wait.showElapsed(false);
    EXPECT_FALSE(part<QProgressBar>(wait, "ProgBarYnD")->isHidden());
    EXPECT_TRUE(part<QLabel>(wait, "TimeLab")->isHidden());
}

TEST(WaitForm, TakesItsLanguageTextsUnderItsWindowName) {
    rectix::core::UiTexts tables;
    rectix::lang::Language language(tables);
    language.setWindowWriter(&rectix::ui::WindowTexts::global());
    ProgressWindow wait;
    EXPECT_EQ(rectix::ui::WindowTexts::global().window(QStringLiteral("TWaitForm")), &wait);
    language.applyItalianTexts(true);
    EXPECT_EQ(part<QLabel>(wait, "WaitLab")->text(), QStringLiteral("Attendere prego"));
    language.applyEnglishTexts(true);
    EXPECT_EQ(part<QLabel>(wait, "TimeLab")->toolTip(), QStringLiteral("Pure packing time"));
}

TEST(WaitForm, WordsTheRunsNumbersFromTheTextTables) {
    rectix::lang::Language::global().applyEnglishTexts(false);
    ProgressWindow wait;
    QLabel* step = part<QLabel>(wait, "ProgLab");
    QLabel* busy = part<QLabel>(wait, "WaitLab");
    QLabel* time = part<QLabel>(wait, "TimeLab");
    wait.setPhase(rectix::engine::RunPhase::Packing);
    wait.setElapsedMs(0);
    EXPECT_EQ(step->text(), QStringLiteral("Packing progress..."));
    EXPECT_EQ(busy->text(), QStringLiteral("Esc to abort"));
    EXPECT_EQ(time->text(), QStringLiteral("0 sec"));
    wait.setElapsedMs(1340);
    EXPECT_EQ(time->text(), QStringLiteral("1.3 sec"));
    wait.setPhase(rectix::engine::RunPhase::Stopping);
    EXPECT_EQ(busy->text(), QStringLiteral("Aborted..."));
    wait.setPhase(rectix::engine::RunPhase::Finished);
    wait.setElapsedMs(2000);
    EXPECT_EQ(busy->text(), QStringLiteral("Please wait"));
    EXPECT_EQ(time->text(), QStringLiteral("Run 2.0 sec"));
    wait.setStep(rectix::core::Caption::DeletingTask);
    EXPECT_EQ(step->text(), QStringLiteral("Deleting DB task data..."));
}

TEST(WaitForm, ElapsedTimeTakesTheRegionalSeparator) {
    rectix::lang::Language::global().applyEnglishTexts(false);
    const rectix::test::RegionalDesktop italian("it_IT");
    ASSERT_TRUE(italian.active());
    ProgressWindow wait;
    wait.setPhase(rectix::engine::RunPhase::Finished);
    wait.setElapsedMs(2450);
    EXPECT_EQ(part<QLabel>(wait, "TimeLab")->text().toStdString(), "Run 2,5 sec");
}

namespace {

// Counts the paints each control of a window gets.
class PaintCounter : public QObject {
  public:
    explicit PaintCounter(QWidget& window) {
        for (QWidget* w : window.findChildren<QWidget*>()) w->installEventFilter(this);
    }
    int paints(QWidget* w) const { return counts_.value(w); }
    void clear() { counts_.clear(); }

  protected:
    bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() == QEvent::Paint) ++counts_[static_cast<QWidget*>(o)];
        return false;
    }

  private:
    QHash<QObject*, int> counts_;
};

} // namespace

// The fill driver reports many times a second; painting the whole window each time halved the
// speed of a solve from the program.
TEST(WaitForm, AProgressStepPaintsOnlyTheTimeAndABarAtMostOnceAFrame) {
    static double now = 0;
    ProgressWindow wait;
    wait.setClock([] { return now; });
    wait.showElapsed(true);
    wait.showContainerPercent(true);
    wait.beginOperation();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&wait));
    wait.setElapsedMs(1000);
    wait.repaintNow();
    auto* time = part<QLabel>(wait, "TimeLab");
    auto* step = part<QLabel>(wait, "ProgLab");
    auto* overall = part<QProgressBar>(wait, "ProgBar");
    auto* container = part<QProgressBar>(wait, "ProgBarYnD");
    PaintCounter counter(wait);

    wait.setElapsedMs(1100);
    wait.repaintNow();
    EXPECT_GE(counter.paints(time), 1);
    EXPECT_EQ(counter.paints(step), 0);
    EXPECT_EQ(counter.paints(overall), 0);
    EXPECT_EQ(counter.paints(container), 0);

    // The same time again paints nothing; a bar moved right after a paint waits for the next
    // step a frame later, and is not lost.
    now += 30;
    wait.setContainerPercent(40);
    wait.repaintNow();
    counter.clear();
    wait.setElapsedMs(1100);
    wait.setContainerPercent(41);
    wait.repaintNow();
    EXPECT_EQ(counter.paints(time), 0);
    EXPECT_EQ(counter.paints(container), 0);
    now += 19;
    wait.repaintNow();
    EXPECT_EQ(counter.paints(container), 0);
    now += 1;
    wait.repaintNow();
    EXPECT_GE(counter.paints(container), 1);
    EXPECT_EQ(container->value(), 41);
    EXPECT_EQ(counter.paints(step), 0);
    wait.endOperation();
}
