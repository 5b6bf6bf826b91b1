#include "CornerPoints.h"

#include "core/Checked.h"
#include "core/Errors.h"
#include "core/Rounding.h"

#include <string>

namespace rectix::engine {

std::size_t CornerPoints::slot(std::int32_t i) const {
    if (i < 0 || static_cast<std::size_t>(i) >= x_.size()) [[unlikely]]
        throw core::RangeError("Range check error: corner point " + std::to_string(i));
    return static_cast<std::size_t>(i);
}

void CornerPoints::SetPointCapacity(std::int32_t slots) {
    if (slots < 1) throw core::RangeError("Range check error: corner point slots " + std::to_string(slots));
    // Slot 0 carries the container's extents and survives every resize.
    x_.resize(static_cast<std::size_t>(slots));
    y_.resize(static_cast<std::size_t>(slots));
    minL_.resize(static_cast<std::size_t>(slots));
    minW_.resize(static_cast<std::size_t>(slots));
}

void CornerPoints::FreePoints() {
    const std::int16_t length = minL_.empty() ? 0 : minL_[0];
    const std::int16_t width = minW_.empty() ? 0 : minW_[0];
    x_.assign(1, 0);
    y_.assign(1, 0);
    minL_.assign(1, length);
    minW_.assign(1, width);
    Capacity = 0;
}

void CornerPoints::ResetPoints(std::int32_t lo, std::int32_t hi) {
    for (std::int32_t i = lo; i <= hi; ++i) {
        X(i) = 0;
        Y(i) = 0;
    }
    for (std::int32_t i = lo < 1 ? 1 : lo; i <= hi; ++i) {
        MinLength(i) = MinUsefulGap;
        MinWidth(i) = MinUsefulGap;
    }
}

void CornerPoints::CopyPoint(std::int32_t src, std::int32_t dst) {
    const std::size_t s = slot(src), d = slot(dst);
    x_[d] = x_[s];
    y_[d] = y_[s];
    minL_[d] = minL_[s];
    minW_[d] = minW_[s];
}

void CornerPoints::ShiftPointsUp(std::int32_t lo, std::int32_t hi) {
    for (std::int32_t i = hi; i >= lo; --i) CopyPoint(i, i + 1);
}

void CornerPoints::ShiftPointsDown(std::int32_t lo, std::int32_t hi) {
    for (std::int32_t i = lo; i <= hi; ++i) CopyPoint(i, i - 1);
}

void CornerPoints::MovePointBack(std::int32_t dst, std::int32_t src) {
    CopyPoint(src, Capacity);
    ShiftPointsUp(dst, src - 1);
    CopyPoint(Capacity, dst);
}

float CornerPoints::PointKey(std::int32_t i, float wx, float wy) {
    return core::toF32(static_cast<long double>(X(i)) * wx + static_cast<long double>(Y(i)) * wy);
}

void CornerPoints::InsertPointSorted(std::int32_t i, float wx, float wy) {
    const float k = PointKey(i, wx, wy);
    std::int32_t j = i - 1;
    while (j >= 1 && PointKey(j, wx, wy) > k) --j;
    if (j + 1 < i) MovePointBack(j + 1, i);
}

void CornerPoints::GrowCornerPointArrays() {
    if (Count < Capacity) return;
    const std::int32_t old = Capacity;
    Capacity = core::toI32(core::roundHalfEven(old * 1.1L));
    if (Capacity <= old) Capacity = old + 1; // a tiny list would otherwise never grow
    SetPointCapacity(Capacity + 1);
    ResetPoints(old, Capacity);
}

void CornerPoints::DeletePoint(std::int32_t i) {
    ShiftPointsDown(i + 1, Count);
    --Count;
}

} // namespace rectix::engine
