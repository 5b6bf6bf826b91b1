#include "taskdb/OperationFrame.h"

#include "taskdb/OperationView.h"

#include "core/Errors.h"
#include "dataset/Cursor.h"

#include <exception>

namespace rectix::taskdb {

OperationFrame::OperationFrame(OperationView& view, Options options)
    : view_(view), onFailure_(std::move(options.onFailure_)), uncaught_(std::uncaught_exceptions()) {
    try {
        take([] { ++alive_; }, [] { --alive_; });
        if (options.exclusive_) {
            if (running_) throw core::SilentAbort();
            take([] { running_ = true; }, [] { running_ = false; });
        }
        if (options.progress_)
            take([this] { view_.showProgress(true); }, [this] { view_.showProgress(false); });
        if (options.busyCursor_)
            take([this] { view_.setBusyCursor(true); }, [this] { view_.setBusyCursor(false); });
        const auto letEventsThrough = [this] { view_.letEventsThrough(); };
        if (options.letEventsThrough_) take(letEventsThrough, nullptr);
        if (options.pageDisabled_)
            take([this] { view_.setPageEnabled(false); }, [this] { view_.setPageEnabled(true); });
        if (options.settingsDisabled_)
            take([this] { view_.setSettingsEnabled(false); }, [this] { view_.setSettingsEnabled(true); });
        if (options.letEventsThrough_) take(nullptr, letEventsThrough);
        for (dataset::Cursor* c : options.controlsOff_)
            take([c] { c->disableControls(); }, [c] { c->enableControls(); });
        for (dataset::Cursor* c : options.calcFieldsOff_)
            take([c] { c->setAutoCalcFields(false); }, [c] { c->setAutoCalcFields(true); });
    } catch (...) {
        onFailure_ = nullptr;
        giveBack(true);
        throw;
    }
}

OperationFrame::~OperationFrame() noexcept(false) {
    giveBack(std::uncaught_exceptions() > uncaught_);
}

void OperationFrame::take(const std::function<void()>& on, std::function<void()> off) {
    if (on) on();
    if (off) undo_.push_back(std::move(off));
}

void OperationFrame::giveBack(bool failing) {
    std::exception_ptr first;
    auto attempt = [&](const std::function<void()>& step) {
        try {
            step();
        } catch (...) {
            if (!first) first = std::current_exception();
        }
    };
    if (failing && onFailure_) attempt(onFailure_);
    while (!undo_.empty()) {
        attempt(undo_.back());
        undo_.pop_back();
    }
    if (first && !failing) std::rethrow_exception(first);
}

void walkKeepingRows(OperationView& view, const std::vector<dataset::Cursor*>& cursors,
                     const std::function<void()>& walk) {
    std::vector<dataset::Bookmark> marks;
    for (dataset::Cursor* c : cursors) marks.push_back(c->isOpen() ? c->bookmark() : dataset::Bookmark{});
    // The first failure is the one to report: the walk's names the row it met, and an error in
    // giving the controls back after it must not take its place.
    std::exception_ptr failure;
    const auto keepFirst = [&failure] {
        if (!failure) failure = std::current_exception();
    };
    try {
        const OperationFrame frame(view, OperationFrame::Options().controlsOff(cursors));
        try {
            walk();
        } catch (...) {
            keepFirst();
        }
        try {
            for (std::size_t i = 0; i < cursors.size(); ++i)
                if (marks[i].valid && cursors[i]->bookmarkValid(marks[i])) cursors[i]->gotoBookmark(marks[i]);
        } catch (...) {
            keepFirst();
        }
    } catch (...) {
        keepFirst();
    }
    for (std::size_t i = 0; i < cursors.size(); ++i) cursors[i]->freeBookmark(marks[i]);
    if (failure) std::rethrow_exception(failure);
}

} // namespace rectix::taskdb
