#pragma once

namespace rectix::taskdb {

// What the data module needs of the view options window.
class ViewOptions {
  public:
    virtual ~ViewOptions() = default;
    // Resets the layout picture's size and shift; with full, every view setting.
    virtual void NormalTracks(bool full) = 0;
};

class NullViewOptions : public ViewOptions {
  public:
    void NormalTracks(bool) override {}
};

} // namespace rectix::taskdb
