#pragma once

namespace rectix::taskdb {

// What the data module needs of a library window (container or box library).
class LibraryWindow {
  public:
    virtual ~LibraryWindow() = default;
    // Selects a column of the library grid (0 the first) and gives the grid the focus.
    virtual void FocusGridColumn(int column) = 0;
};

class NullLibraryWindow : public LibraryWindow {
  public:
    void FocusGridColumn(int) override {}
};

} // namespace rectix::taskdb
