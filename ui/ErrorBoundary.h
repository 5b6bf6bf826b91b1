#pragma once

#include <functional>
#include <utility>

namespace rectix::ui {

// Where a user action ends when it fails. A silent abort (a refusal whose dialog was shown)
// ends it with nothing more shown; any other error is shown in the error box, and the program
// goes on.
class ErrorBoundary {
  public:
    // Runs the action; true when it ran to its end.
    static bool run(const std::function<void()>& action);

    // Shows the exception being handled; call only inside a catch block.
    static void reportCurrent();
};

// A slot that runs the action under the boundary, for connections whose errors must not reach
// the signal's sender: connect(button, &QPushButton::clicked, window, ui::guarded([&] { ... })).
template <typename Action> auto guarded(Action action) {
    return [action = std::move(action)] { ErrorBoundary::run(action); };
}

} // namespace rectix::ui
