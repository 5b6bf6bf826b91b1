#pragma once

#include <QCoreApplication>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QWidget>

namespace rectix::ui {

// The one switch of the tool-tip hints of every window, those not yet created included. The
// hints themselves stay on the widgets; while the switch is off none is shown.
class Hints : public QObject {
    Q_OBJECT
  public:
    static Hints& global();

    bool shown() const { return shown_; }
    // Switching off also hides a hint that is showing.
    void setShown(bool shown);
    // The window's hints show whatever the switch says.
    void keepShown(QWidget* window);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    Hints() = default;
    void watchApplication();

    bool shown_ = true;
    QPointer<QCoreApplication> watched_;
    QList<QPointer<QWidget>> keptShown_;
};

} // namespace rectix::ui
