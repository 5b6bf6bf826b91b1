#pragma once

#include <cstdint>
#include <vector>

namespace rectix::engine {

// The corner-point list of the container being filled: candidate positions
// for the next box's lower-left corner, in parallel arrays of slots
// 0..capacity. Slot 0 is no point: its minimums hold the container's usable
// length and width. Live points are slots 1..count in list order; slot
// capacity is the scratch slot used while moving a point.
class CornerPoints {
  public:
    CornerPoints() { setPointCapacity(1); }

    std::int32_t count = 0;
    std::int32_t capacity = 0;
    std::int32_t newPointStart = 0;
    std::int16_t minUsefulGap = 0;

    std::int16_t& x(std::int32_t i) { return x_[slot(i)]; }
    std::int16_t& y(std::int32_t i) { return y_[slot(i)]; }
    std::int16_t& minLength(std::int32_t i) { return minL_[slot(i)]; }
    std::int16_t& minWidth(std::int32_t i) { return minW_[slot(i)]; }

    std::int16_t usableLength() const { return minL_[0]; }
    std::int16_t usableWidth() const { return minW_[0]; }
    void setUsable(std::int16_t length, std::int16_t width) {
        minL_[0] = length;
        minW_[0] = width;
    }

    void setPointCapacity(std::int32_t slots);
    void freePoints();
    void resetPoints(std::int32_t lo, std::int32_t hi);
    void copyPoint(std::int32_t src, std::int32_t dst);
    void shiftPointsUp(std::int32_t lo, std::int32_t hi);
    void shiftPointsDown(std::int32_t lo, std::int32_t hi);
    void movePointBack(std::int32_t dst, std::int32_t src);
    float pointKey(std::int32_t i, float wx, float wy);
    void insertPointSorted(std::int32_t i, float wx, float wy);

    // On a list whose points 1..i-1 are in key order, with distinct coordinates,
    // by binary search: the slot of an earlier point at point i's place, or 0
    // after inserting point i where insertPointSorted puts it.
    std::int32_t findSamePlaceOrInsert(std::int32_t i, float wx, float wy);
    // pointKey without extended precision where the result is the same; slot i unchecked.
    float pointKeyFast(std::int32_t i, float wx, float wy) const;
    void growCornerPointArrays();

    // Deletes point i, closing the gap.
    void deletePoint(std::int32_t i);
    // Deletes, keeping list order, every point for which covered(i) holds.
    template <typename Pred> void deleteWhere(Pred covered);

    std::int32_t slotCount() const { return static_cast<std::int32_t>(x_.size()); }

    // The live points' fields as plain arrays for a hot loop over slots 0..count,
    // whose bound is checked here once.
    struct Fields {
        std::int16_t *x, *y, *minL, *minW;
    };
    Fields fields() {
        slot(count);
        return {x_.data(), y_.data(), minL_.data(), minW_.data()};
    }

  private:
    std::size_t slot(std::int32_t i) const {
        if (i < 0 || static_cast<std::size_t>(i) >= x_.size()) [[unlikely]]
            throwBadSlot(i);
        return static_cast<std::size_t>(i);
    }
    [[noreturn]] static void throwBadSlot(std::int32_t i);
    void movePoints(std::int32_t from, std::int32_t to, std::int32_t n);

    std::vector<std::int16_t> x_, y_, minL_, minW_;
};

template <typename Pred> void CornerPoints::deleteWhere(Pred covered) {
    const Fields f = fields();
    std::int32_t out = 1;
    for (std::int32_t i = 1; i <= count; ++i) {
        if (covered(i)) continue;
        if (out != i) {
            f.x[out] = f.x[i];
            f.y[out] = f.y[i];
            f.minL[out] = f.minL[i];
            f.minW[out] = f.minW[i];
        }
        ++out;
    }
    count = out - 1;
}

} // namespace rectix::engine
