#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

namespace rectix::engine {

// The placed boxes of a fill bucketed by the square cells of the container
// they cover, so that a question about one region of the container looks at
// the boxes near it instead of every placed box. Coordinates are whole units
// from 0; a box covers the half-open [x, x + length) x [y, y + width). Each cell
// keeps the boxes' extents beside their numbers, so a question reads no other array.
class BoxGrid {
  public:
    // A placed box lies inside its container, so its far edges fit 16 bits as its sides do.
    struct Entry {
        std::int16_t box, x1, y1, x2, y2;
    };

    BoxGrid() : cells_(1) {}

    // Cells sized so that the container has about as many cells as boxes.
    void reset(int length, int width, int boxes) {
        for (int c : touched_) cells_[static_cast<std::size_t>(c)].clear();
        touched_.clear();
        const long long area = static_cast<long long>(std::max(length, 1)) * std::max(width, 1);
        long long side = 1;
        while (side * side * std::max(boxes, 1) < area) side *= 2;
        shift_ = 0;
        while ((1LL << shift_) < side) ++shift_;
        nx_ = (std::max(length, 1) >> shift_) + 1;
        ny_ = (std::max(width, 1) >> shift_) + 1;
        if (static_cast<std::size_t>(nx_ * ny_) > cells_.size())
            cells_.resize(static_cast<std::size_t>(nx_ * ny_));
    }

    void add(int box, int x, int y, int length, int width) {
        cells(x, y, x + length - 1, y + width - 1, [&](int c) {
            auto& v = cells_[static_cast<std::size_t>(c)];
            if (v.empty()) touched_.push_back(c);
            v.push_back({static_cast<std::int16_t>(box), static_cast<std::int16_t>(x),
                         static_cast<std::int16_t>(y), static_cast<std::int16_t>(x + length),
                         static_cast<std::int16_t>(y + width)});
            return false;
        });
    }

    void remove(int box, int x, int y, int length, int width) {
        cells(x, y, x + length - 1, y + width - 1, [&](int c) {
            auto& v = cells_[static_cast<std::size_t>(c)];
            v.erase(std::find_if(v.begin(), v.end(), [box](const Entry& e) { return e.box == box; }));
            return false;
        });
    }

    // Calls fn(entry) for the boxes in the cells that meet the closed region
    // [x1, x2] x [y1, y2] until fn returns true; a box may be met more than once.
    template <typename Fn> bool any(int x1, int y1, int x2, int y2, Fn fn) const {
        return cells(x1, y1, x2, y2, [&](int c) {
            for (const Entry& e : cells_[static_cast<std::size_t>(c)])
                if (fn(e)) return true;
            return false;
        });
    }

  private:
    template <typename Fn> bool cells(int x1, int y1, int x2, int y2, Fn fn) const {
        const int cx1 = std::clamp(x1, 0, 1 << 30) >> shift_,
                  cx2 = std::min(std::max(x2, 0) >> shift_, nx_ - 1);
        const int cy1 = std::clamp(y1, 0, 1 << 30) >> shift_,
                  cy2 = std::min(std::max(y2, 0) >> shift_, ny_ - 1);
        for (int cy = cy1; cy <= cy2; ++cy)
            for (int cx = cx1; cx <= cx2; ++cx)
                if (fn(cy * nx_ + cx)) return true;
        return false;
    }

    int shift_ = 0, nx_ = 1, ny_ = 1;
    std::vector<std::vector<Entry>> cells_;
    std::vector<int> touched_;
};

} // namespace rectix::engine
