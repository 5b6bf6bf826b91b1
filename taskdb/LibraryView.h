#pragma once

namespace rectix::taskdb {

// What the data module needs of a library window (container or box library).
class LibraryView {
  public:
    virtual ~LibraryView() = default;
    // Selects a column of the library grid (0 the first) and gives the grid the focus.
    virtual void focusGridColumn(int column) = 0;
};

class NullLibraryView : public LibraryView {
  public:
    void focusGridColumn(int) override {}
};

} // namespace rectix::taskdb
