#pragma once

#include <QLineEdit>
#include <QString>

namespace rectix::ui {

// A read-only box for one figure. A figure wider than the box shows the overflow mark, as a grid's
// cell does: scrolled to its end, it would show its last digits, which read as another number.
class FigureEdit : public QLineEdit {
    Q_OBJECT
  public:
    explicit FigureEdit(QWidget* parent = nullptr);

    void setFigure(const QString& figure);
    // The whole figure, whatever the box shows.
    const QString& figure() const { return figure_; }

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    void fit();

    QString figure_;
};

} // namespace rectix::ui
