#pragma once

namespace rectix::taskdb {

// What the data module needs of the view options window.
class ViewOptionsView {
  public:
    virtual ~ViewOptionsView() = default;
    // Resets the layout picture's size and shift; with full, every view setting.
    virtual void normalTracks(bool full) = 0;
};

class NullViewOptionsView : public ViewOptionsView {
  public:
    void normalTracks(bool) override {}
};

} // namespace rectix::taskdb
