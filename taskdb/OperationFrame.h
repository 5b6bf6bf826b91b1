#pragma once

#include <functional>
#include <vector>

namespace rectix::dataset {
class Cursor;
}

namespace rectix::taskdb {

class OperationView;

// The frame around a long operation (solving, clearing, writing a solution, deleting or copying
// a task, switching or emptying a table set). It takes what its options name for its lifetime,
// in this order: the operation marked running, the progress window, the busy cursor, the
// pending window events let through, the page and the settings window disabled, the cursors'
// controls and calculated fields off. It gives all of it back in the reverse order (the
// events that came meanwhile let through before the windows take input again) on every path: at the end of
// the scope, when an error passes through it, and when taking one of them fails halfway. While an error
// passes through, a further error in giving back is dropped (the first is the one to report); otherwise the
// first one passes on once everything is back.
class OperationFrame {
  public:
    // What the frame takes, named: Options().progress().busyCursor().
    class Options {
      public:
        // Only one exclusive operation at a time: a second one is refused with a silent abort.
        Options& exclusive() { return set(exclusive_); }
        Options& progress() { return set(progress_); }
        Options& busyCursor() { return set(busyCursor_); }
        // Before the windows are disabled and after the work while they still are: what came
        // before the operation is handled before it, and what came during it goes nowhere.
        Options& letEventsThrough() { return set(letEventsThrough_); }
        Options& pageDisabled(bool disabled = true) { return set(pageDisabled_, disabled); }
        Options& settingsDisabled(bool disabled = true) { return set(settingsDisabled_, disabled); }
        // Their grids stop repainting while rows change, and show the result afterwards.
        Options& controlsOff(std::vector<dataset::Cursor*> cursors) {
            controlsOff_ = std::move(cursors);
            return *this;
        }
        // Their calculated fields are not computed while rows change.
        Options& calcFieldsOff(std::vector<dataset::Cursor*> cursors) {
            calcFieldsOff_ = std::move(cursors);
            return *this;
        }
        // Runs first when an error ends the operation, before anything else is given back
        // (showing rolled-back rows again).
        Options& onFailure(std::function<void()> restore) {
            onFailure_ = std::move(restore);
            return *this;
        }

      private:
        friend class OperationFrame;
        Options& set(bool& option, bool on = true) {
            option = on;
            return *this;
        }
        bool exclusive_ = false;
        bool progress_ = false;
        bool busyCursor_ = false;
        bool letEventsThrough_ = false;
        bool pageDisabled_ = false;
        bool settingsDisabled_ = false;
        std::vector<dataset::Cursor*> controlsOff_;
        std::vector<dataset::Cursor*> calcFieldsOff_;
        std::function<void()> onFailure_;
    };

    OperationFrame(OperationView& view, Options options);
    ~OperationFrame() noexcept(false);
    OperationFrame(const OperationFrame&) = delete;
    OperationFrame& operator=(const OperationFrame&) = delete;

    // Whether an exclusive operation is running.
    static bool running() { return running_; }
    // Whether any operation is running: rows that change now are the operation's, not the user's.
    static bool active() { return alive_ > 0; }

  private:
    void take(const std::function<void()>& on, std::function<void()> off);
    void giveBack(bool failing) noexcept(false);

    OperationView& view_;
    std::function<void()> onFailure_;
    std::vector<std::function<void()>> undo_;
    int uncaught_;

    static inline bool running_ = false;
    static inline int alive_ = 0;
};

// Runs `walk` over the cursors with their controls off, and puts each back on the row it stood on
// however the walk ends: masters first, as their details read their rows again when they move.
void walkKeepingRows(OperationView& view, const std::vector<dataset::Cursor*>& cursors,
                     const std::function<void()>& walk);

} // namespace rectix::taskdb
