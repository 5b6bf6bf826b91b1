#pragma once

#include <cstdint>
#include <vector>

namespace rectix::engine {

// The corner-point list of the container being filled: candidate positions
// for the next box's lower-left corner, in parallel arrays of slots
// 0..Capacity. Slot 0 is no point: its minimums hold the container's usable
// length and width. Live points are slots 1..Count in list order; slot
// Capacity is the scratch slot used while moving a point.
class CornerPoints {
  public:
    CornerPoints() { SetPointCapacity(1); }

    std::int32_t Count = 0;
    std::int32_t Capacity = 0;
    std::int32_t NewPointStart = 0;
    std::int16_t MinUsefulGap = 0;

    std::int16_t& X(std::int32_t i) { return x_[slot(i)]; }
    std::int16_t& Y(std::int32_t i) { return y_[slot(i)]; }
    std::int16_t& MinLength(std::int32_t i) { return minL_[slot(i)]; }
    std::int16_t& MinWidth(std::int32_t i) { return minW_[slot(i)]; }

    std::int16_t UsableLength() const { return minL_[0]; }
    std::int16_t UsableWidth() const { return minW_[0]; }
    void SetUsable(std::int16_t length, std::int16_t width) {
        minL_[0] = length;
        minW_[0] = width;
    }

    void SetPointCapacity(std::int32_t slots);
    void FreePoints();
    void ResetPoints(std::int32_t lo, std::int32_t hi);
    void CopyPoint(std::int32_t src, std::int32_t dst);
    void ShiftPointsUp(std::int32_t lo, std::int32_t hi);
    void ShiftPointsDown(std::int32_t lo, std::int32_t hi);
    void MovePointBack(std::int32_t dst, std::int32_t src);
    float PointKey(std::int32_t i, float wx, float wy);
    void InsertPointSorted(std::int32_t i, float wx, float wy);
    void GrowCornerPointArrays();

    // Deletes point i, closing the gap.
    void DeletePoint(std::int32_t i);
    // Deletes, keeping list order, every point for which covered(i) holds.
    template <typename Pred> void DeleteWhere(Pred covered);

    std::int32_t Slots() const { return static_cast<std::int32_t>(x_.size()); }

  private:
    std::size_t slot(std::int32_t i) const;

    std::vector<std::int16_t> x_, y_, minL_, minW_;
};

template <typename Pred> void CornerPoints::DeleteWhere(Pred covered) {
    std::int32_t out = 1;
    for (std::int32_t i = 1; i <= Count; ++i) {
        if (covered(i)) continue;
        if (out != i) CopyPoint(i, out);
        ++out;
    }
    Count = out - 1;
}

} // namespace rectix::engine
