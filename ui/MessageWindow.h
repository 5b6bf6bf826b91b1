#pragma once

#include "core/Dialogs.h"

#include <QDialog>

class QAbstractButton;

namespace rectix::ui {

// The window of one message: icon, text, and the buttons in a fixed order (Yes, No, OK, Cancel,
// Ignore, All, No to All, Yes to All) with English captions. OK, else Yes, is the default button.
class MessageWindow : public QDialog {
    Q_OBJECT
  public:
    enum class Icon { None, Warning, Stop, Information, Question };

    MessageWindow(const QString& title, Icon icon, const QString& text, core::DialogButtons buttons,
                  QWidget* parent = nullptr);

    // The button pressed; Cancel while none was (closed by its close box or Esc).
    core::DialogButton answer() const { return answer_; }
    QAbstractButton* button(core::DialogButton b) const;

  private:
    core::DialogButton answer_ = core::DialogButton::Cancel;
};

} // namespace rectix::ui
