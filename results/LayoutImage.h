#pragma once

#include <QImage>
#include <QWidget>

#include <functional>
#include <optional>

namespace rectix::results {

// The layout page's picture: a bitmap as large as the largest window, of which the widget shows
// its own size, so a larger window needs no new bitmap. Mouse presses go to the page; the
// widget's tool-tip is the page's hint, shown only while hints are on.
class LayoutImage : public QWidget {
    Q_OBJECT
  public:
    explicit LayoutImage(QWidget* parent = nullptr);

    // The bitmap, at least as large as the widget.
    QImage& bitmap();
    void setHintsShown(bool shown) { hintsShown_ = shown; }
    bool hintsShown() const { return hintsShown_; }
    void setMousePress(std::function<void(Qt::MouseButton, QPoint)> press) { press_ = std::move(press); }
    // Shows the tool-tip at `at` once the pressed button is released: a tip shown on the press
    // would be hidden by the release. It stays until the mouse leaves the picking reach of `at`,
    // or a key or click hides it.
    void showTipOnRelease(QPoint at) { tipAt_ = at; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    bool event(QEvent* event) override;

  private:
    QImage bitmap_;
    bool hintsShown_ = true;
    std::function<void(Qt::MouseButton, QPoint)> press_;
    std::optional<QPoint> tipAt_;
};

} // namespace rectix::results
