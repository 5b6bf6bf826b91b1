#pragma once

#include "taskdb/WaitWindow.h"

#include <QDialog>

class QLabel;
class QProgressBar;

namespace rectix::app {

// The progress window of long operations: a step text, a busy text, the overall bar, the bar
// of the container being packed and the elapsed time. Esc in it sets EscPressed, which the
// packing run polls; no other key does anything, and the user cannot close it: the operation
// that shows it hides it. It answers the data module's progress window as well.
class TWaitForm : public QDialog, public taskdb::WaitWindow {
    Q_OBJECT
  public:
    // A window of its own, without a parent: disabling the main window must not disable it.
    TWaitForm();

    // Centres the window horizontally on the widget, with its centre at three quarters of the
    // widget's height (over a grid of the main window).
    void placeOver(const QWidget* widget);

    // Shows the window for an operation: application-modal, so that it is the only window that
    // takes input, and painted at once.
    void beginOperation();
    // Hides it and sets its overall bar to 0.
    void endOperation();

    void Show() override { beginOperation(); }
    void Hide() override { endOperation(); }

    void SetProgLab(const std::string& text) override;
    void SetWaitLab(const std::string& text) override;
    void SetTimeLab(const std::string& text) override;
    void SetProgBar(int percent) override;
    void SetProgBarYnD(int percent) override;
    void ShowProgBarYnD(bool visible) override;
    void ShowTimeLab(bool visible) override;
    void Repaint() override;
    void ProcessMessages() override;
    bool EscPressed() const override { return escPressed_; }
    void SetEscPressed(bool pressed) override { escPressed_ = pressed; }

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void fitLabels();

    QLabel* waitLab_;
    QProgressBar* progBar_;
    QLabel* progLab_;
    QProgressBar* progBarYnD_;
    QLabel* timeLab_;
    bool escPressed_ = false;
};

} // namespace rectix::app
