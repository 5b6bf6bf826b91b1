#include "ui/ColumnScaling.h"

#include "core/Checked.h"
#include "core/Rounding.h"

#include <QAbstractItemModel>
#include <QTableView>

namespace rectix::ui {

void ColumnScaling::capture(const QTableView& grid) {
    widths_.clear();
    const int n = grid.model() ? grid.model()->columnCount() : 0;
    std::int16_t sum = 0;
    for (int c = 0; c < n; ++c) {
        const std::int16_t w = grid.isColumnHidden(c) ? std::int16_t{-1} : core::toI16(grid.columnWidth(c));
        widths_.push_back(w);
        if (w > 0) sum = core::add16(sum, w);
    }
    widths_.push_back(sum);
    widths_.push_back(core::toI16(grid.width()));
}

void ColumnScaling::scale(QTableView& grid) {
    if (!captured()) capture(grid);
    const std::size_t n = widths_.size() - 2;
    const std::int16_t sum = widths_[n];
    if (sum <= 0) return;
    float factor = static_cast<float>(static_cast<long double>(grid.width() - 50) / sum);
    if (factor < 1.0f) factor = 1.0f;
    for (std::size_t c = 0; c < n; ++c) {
        if (widths_[c] < 0) continue;
        const auto w = core::roundHalfEven(static_cast<long double>(widths_[c]) * factor);
        grid.setColumnWidth(static_cast<int>(c), static_cast<int>(w));
    }
}

} // namespace rectix::ui
