#pragma once

#include <utility>

namespace rectix::core {

// Runs `undo` when the scope is left, on every path, unless dismissed first.
template <class Undo> class ScopeGuard {
  public:
    explicit ScopeGuard(Undo undo) : undo_(std::move(undo)) {}
    ~ScopeGuard() {
        if (active_) undo_();
    }
    ScopeGuard(const ScopeGuard&) = delete;
    ScopeGuard& operator=(const ScopeGuard&) = delete;

    void dismiss() noexcept { active_ = false; }

  private:
    Undo undo_;
    bool active_ = true;
};

} // namespace rectix::core
