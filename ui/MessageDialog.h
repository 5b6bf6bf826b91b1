#pragma once

#include "ui/MessageDialogs.h"

#include <QDialog>

class QAbstractButton;

namespace rectix::ui {

// The window of one message: icon, text, and the buttons in a fixed order (Yes, No, OK, Cancel,
// Ignore, All, No to All, Yes to All) with English captions. OK, else Yes, is the default button.
class MessageDialog : public QDialog {
    Q_OBJECT
  public:
    enum class Icon { None, Warning, Stop, Information, Question };

    MessageDialog(const QString& title, Icon icon, const QString& text, DialogButtons buttons,
                  QWidget* parent = nullptr);

    // The button pressed; Cancel while none was (closed by its close box or Esc).
    DialogButton answer() const { return answer_; }
    QAbstractButton* button(DialogButton b) const;

  private:
    DialogButton answer_ = DialogButton::Cancel;
};

} // namespace rectix::ui
