#pragma once

#include "core/Dialogs.h"

#include <QDialog>
#include <QElapsedTimer>

class QAbstractButton;

namespace rectix::ui {

// The window of one message: icon, text, and the buttons in a fixed order (Yes, No, OK, Cancel,
// Ignore, All, No to All, Yes to All) with English captions. OK, else Yes, is the default button.
//
// A message that opens while the user types (a rule asking about the first key of a value) must
// not be answered by the keys that follow it: the keys that arrived before the window was shown,
// those that come before anyone could have read it, and those typed on without a pause (by their
// window-system times) are dropped; the user answers what was seen.
class MessageWindow : public QDialog {
    Q_OBJECT
  public:
    enum class Icon { None, Warning, Stop, Information, Question };

    MessageWindow(const QString& title, Icon icon, const QString& text, core::DialogButtons buttons,
                  QWidget* parent = nullptr);

    // The button pressed; Cancel while none was (closed by its close box or Esc).
    core::DialogButton answer() const { return answer_; }
    QAbstractButton* button(core::DialogButton b) const;
    // False from the showing until what was typed before it has been dropped and the message
    // could have been read.
    bool takesKeys() const;

  protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void takeKeys();

    core::DialogButton answer_ = core::DialogButton::Cancel;
    bool synced_ = true;
    // A typed key has come after a pause: the user is answering, every key counts.
    bool answering_ = false;
    QElapsedTimer shown_;
};

} // namespace rectix::ui
