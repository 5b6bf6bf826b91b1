#pragma once

#include <QAbstractNativeEventFilter>
#include <QObject>

#include <set>

namespace rectix::ui {

// The window system's times of the last keys typed into the program, whichever window they went
// to: also those sent to a window that a modal one blocks, which never become Qt events. One
// record for the whole program, kept while the object lives.
class KeyTimes : public QObject, public QAbstractNativeEventFilter {
    Q_OBJECT
  public:
    explicit KeyTimes(QObject* parent = nullptr);
    ~KeyTimes() override;

    // The time of the last key typed before `time`; 0 when none was seen or nothing records keys.
    static quint64 before(quint64 time);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

  private:
    void note(quint64 time);

    // The window system hands over its keys in batches before Qt delivers the first of them.
    std::set<quint64> times_;
};

} // namespace rectix::ui
