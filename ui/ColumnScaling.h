#pragma once

#include <cstdint>
#include <vector>

class QTableView;

namespace rectix::ui {

// A grid's design column widths and the scaling that widens its columns with the grid: every
// shown column by one factor, never below its design width. The widths are taken once; hidden
// columns are left alone.
class ColumnScaling {
  public:
    // Takes the grid's present widths as its design widths.
    void capture(const QTableView& grid);
    bool captured() const { return !widths_.empty(); }

    // Factor max(1, (grid width - 50) / sum of the shown design widths); each shown column gets
    // its design width times the factor, rounded half to even. Takes the widths first if needed.
    void scale(QTableView& grid);

    // For n columns, n + 2 entries: the design widths (-1 for a hidden column), their sum over the
    // shown columns, and the grid's width when they were taken.
    const std::vector<std::int16_t>& widths() const { return widths_; }

  private:
    std::vector<std::int16_t> widths_;
};

} // namespace rectix::ui
