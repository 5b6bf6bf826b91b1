#pragma once

#include "ui/PendingEdit.h"

#include <QLineEdit>

#include <cstdint>
#include <functional>
#include <optional>

namespace rectix::app {

// A typed gap setting (0 to 5000). Entering it trims the text and remembers it when it is a valid
// gap; Esc puts the remembered text back; Enter asks the window to move on. Leaving it for another
// control of the window asks the window to commit the text; leaving the window does not (the
// window commits then itself).
class GapEdit : public QLineEdit, public ui::PendingEdit {
    Q_OBJECT
  public:
    static constexpr std::int16_t largestGap = 5000;
    // The value of a text that is not a number, as the colour comparison counts it.
    static constexpr std::int32_t notANumber = 55555;

    explicit GapEdit(QWidget* parent = nullptr);

    // The gap a text stands for: blanks trimmed, an empty text 0, leading zeros dropped; none when
    // that is not a decimal integer from 0 to 5000.
    static std::optional<std::int16_t> gapOf(const QString& text);
    // The integer a text stands for, or notANumber.
    static std::int32_t integerOf(const QString& text);

    // The window's commit of the text, run before a command acts; false when the text was refused.
    std::function<bool()> commit;
    bool commitPendingEdit() override { return !commit || commit(); }

  signals:
    void enterPressed();
    // The focus went to another control of the same window.
    void exited();

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

  private:
    QString saved_ = QStringLiteral("0");
};

} // namespace rectix::app
