#pragma once

#include "core/ScopeGuard.h"
#include "ui/MessageWindow.h"
#include "ui/WindowDialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QTimer>
#include <QWindow>

#include <string>
#include <type_traits>
#include <vector>

namespace rectix::test {

// Shows the program's messages as the user sees them, modal windows with their own event loop,
// while it lives; records each text and answers it with `answer` through its window once the
// window takes keys.
class WindowAnswers : public core::Dialogs {
  public:
    WindowAnswers() : replaced_(install(this)) {}
    ~WindowAnswers() override { install(replaced_); }
    WindowAnswers(const WindowAnswers&) = delete;
    WindowAnswers& operator=(const WindowAnswers&) = delete;

    core::DialogButton show(core::DialogKind kind, const std::string& text, core::DialogButtons buttons,
                            int helpContext) override {
        shown.push_back(text);
        return answering(buttons.has(answer) ? answer : core::DialogButton::Ok,
                         [&] { return windows_.show(kind, text, buttons, helpContext); });
    }
    void errorBox(const std::string& text) override {
        shown.push_back(text);
        answering(core::DialogButton::Ok, [&] { windows_.errorBox(text); });
    }
    void plainMessage(const std::string& text) override {
        shown.push_back(text);
        answering(core::DialogButton::Ok, [&] { windows_.plainMessage(text); });
    }

    // A key typed on the keyboard, queued for `window` as the window system queues it; the
    // program's own keys have no time.
    static void typeAhead(QWidget* window, Qt::Key key, const QString& text) {
        for (const QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
            auto* event = new QKeyEvent(type, key, Qt::NoModifier, text);
            event->setTimestamp(++keyTime_);
            QCoreApplication::postEvent(window->windowHandle(), event);
        }
    }

    // A message was shown, and none is up.
    bool answered() const { return !shown.empty() && up_ == 0; }

    core::DialogButton answer = core::DialogButton::Cancel;
    std::vector<std::string> shown;

  private:
    // Shows a message and presses `button` of its window once the window takes keys.
    template <typename Show> std::invoke_result_t<Show> answering(core::DialogButton button, Show show) {
        QTimer presser;
        QObject::connect(&presser, &QTimer::timeout, [button] {
            auto* message = qobject_cast<ui::MessageWindow*>(QApplication::activeModalWidget());
            if (message && message->takesKeys() && message->button(button)) message->button(button)->click();
        });
        presser.start(5);
        ++up_;
        const core::ScopeGuard down([this] { --up_; });
        return show();
    }

    ui::WindowDialogs windows_;
    core::Dialogs* replaced_;
    int up_ = 0;
    static inline unsigned long keyTime_ = 0;
};

} // namespace rectix::test
