#pragma once

#include "taskdb/ProgressView.h"

#include <QDialog>

#include <optional>
#include <vector>

class QLabel;
class QProgressBar;

namespace rectix::app {

// The progress window of long operations: a step text, a busy text, the overall bar, the bar
// of the container being packed and the elapsed time. Esc in it sets escPressed, which the
// packing run polls; no other key does anything, and the user cannot close it: the operation
// that shows it hides it. It has a title and no frame buttons. It answers the data module's progress window
// as well.
class ProgressWindow : public QDialog, public taskdb::ProgressView {
    Q_OBJECT
  public:
    // A window of its own, without a parent: disabling the main window must not disable it.
    ProgressWindow();

    // Centres the window horizontally on the widget, with its centre at three quarters of the
    // widget's height (over a grid of the main window).
    void placeOver(const QWidget* widget);

    // Shows the window for an operation: application-modal, so that it is the only window that
    // takes input, and painted at once.
    void beginOperation();
    // Hides it and sets its overall bar to 0.
    void endOperation();

    // The run's and the table operations' progress, worded from the text tables as it comes.
    void setPhase(engine::RunPhase phase) override;
    void setStep(core::Caption captionSlot) override;
    void setOverallPercent(int percent) override;
    void setContainerPercent(int percent) override;
    void showContainerPercent(bool visible) override;
    void setElapsedMs(double ms) override;
    void showElapsed(bool visible) override;
    void repaintNow() override;
    void processMessages() override;
    bool escPressed() const override { return escPressed_; }
    void setEscPressed(bool pressed) override { escPressed_ = pressed; }

    // The clock that spaces the bars' paints, in milliseconds; a steady one unless set.
    using Clock = double (*)();
    void setClock(Clock clock) { nowMs_ = clock; }

    // The step text (left of the top line), the busy text (right) and the time text.
    void setProgLab(const std::string& text);
    void setWaitLab(const std::string& text);
    void setTimeLab(const std::string& text);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    // Whether a label moved or changed its size.
    bool fitLabels();
    void changed(QWidget* control);

    QLabel* title_;
    QWidget* client_;
    QLabel* waitLab_;
    QProgressBar* progBar_;
    QLabel* progLab_;
    QProgressBar* progBarYnD_;
    QLabel* timeLab_;
    bool escPressed_ = false;
    engine::RunPhase phase_ = engine::RunPhase::Packing;
    // What repaintNow paints: the controls changed since it last ran, or the whole window when
    // a label moved.
    std::vector<QWidget*> changed_;
    bool relaid_ = false;
    static double steadyMs();
    Clock nowMs_ = &steadyMs;
    std::optional<double> barsPaintedMs_;
};

} // namespace rectix::app
