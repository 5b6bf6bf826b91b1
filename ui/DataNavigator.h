#pragma once

#include "dataset/CursorObserver.h"

#include <QWidget>

#include <array>
#include <initializer_list>

class QToolButton;

namespace rectix::dataset {
class Cursor;
}

namespace rectix::ui {

// A row of buttons that move through a cursor's rows, insert a row and delete one. First and
// Prior are enabled while the cursor is neither on its first row nor at its beginning (Bof),
// Next and Last while it is neither on its last row nor at its end (Eof), all four while a new
// row is being inserted; Insert while it is open and Delete while it has a row. Delete asks
// "Delete record?" first. The buttons share the navigator's width; disabled, their pictures grey.
//
// The cursor must outlive the navigator.
class DataNavigator : public QWidget, private dataset::CursorObserver {
    Q_OBJECT
  public:
    enum class Button { First, Prior, Next, Last, Insert, Delete };
    Q_ENUM(Button)

    explicit DataNavigator(dataset::Cursor& cursor, QWidget* parent = nullptr);
    ~DataNavigator() override;

    dataset::Cursor& dataCursor() const { return cursor_; }

    // All six are shown until this is called.
    void setVisibleButtons(std::initializer_list<Button> buttons);
    QToolButton* button(Button b) const { return buttons_[static_cast<std::size_t>(b)]; }
    // Runs a button's action as a click on it does.
    void click(Button b);

  signals:
    // After a button's action ran without an error (a Delete answered with Cancel included).
    void clicked(rectix::ui::DataNavigator::Button button);

  private:
    void cursorScrolled(dataset::Cursor&) override { updateButtons(); }
    void cursorDataChanged(dataset::Cursor&) override { updateButtons(); }
    void cursorStateChanged(dataset::Cursor&) override { updateButtons(); }

    void run(Button b);
    void updateButtons();

    dataset::Cursor& cursor_;
    std::array<QToolButton*, 6> buttons_{};
};

} // namespace rectix::ui
