#pragma once

#include <QPushButton>

namespace rectix::ui {

// A push button that a crowded row may narrow down to its caption, below the style's least
// button width, but never further: whatever the language, the caption stays whole.
class CaptionButton : public QPushButton {
    Q_OBJECT
  public:
    explicit CaptionButton(const QString& text, QWidget* parent = nullptr);

    QSize minimumSizeHint() const override;
};

} // namespace rectix::ui
