#include "CornerPoints.h"

#include "core/Checked.h"
#include "core/Errors.h"
#include "core/Rounding.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>

namespace rectix::engine {

void CornerPoints::throwBadSlot(std::int32_t i) {
    throw core::RangeError("Range check error: corner point " + std::to_string(i));
}

void CornerPoints::setPointCapacity(std::int32_t slots) {
    if (slots < 1) throw core::RangeError("Range check error: corner point slots " + std::to_string(slots));
    // Slot 0 carries the container's extents and survives every resize.
    x_.resize(static_cast<std::size_t>(slots));
    y_.resize(static_cast<std::size_t>(slots));
    minL_.resize(static_cast<std::size_t>(slots));
    minW_.resize(static_cast<std::size_t>(slots));
}

void CornerPoints::freePoints() {
    const std::int16_t length = minL_.empty() ? 0 : minL_[0];
    const std::int16_t width = minW_.empty() ? 0 : minW_[0];
    x_.assign(1, 0);
    y_.assign(1, 0);
    minL_.assign(1, length);
    minW_.assign(1, width);
    capacity = 0;
}

void CornerPoints::resetPoints(std::int32_t lo, std::int32_t hi) {
    if (lo > hi) return;
    slot(lo), slot(hi);
    const auto from = static_cast<std::ptrdiff_t>(lo), to = static_cast<std::ptrdiff_t>(hi) + 1;
    std::fill(x_.begin() + from, x_.begin() + to, std::int16_t{0});
    std::fill(y_.begin() + from, y_.begin() + to, std::int16_t{0});
    // Slot 0 keeps the container's extents in its minimums.
    const std::ptrdiff_t firstPoint = lo < 1 ? 1 : from;
    if (firstPoint < to) {
        std::fill(minL_.begin() + firstPoint, minL_.begin() + to, minUsefulGap);
        std::fill(minW_.begin() + firstPoint, minW_.begin() + to, minUsefulGap);
    }
}

void CornerPoints::copyPoint(std::int32_t src, std::int32_t dst) {
    const std::size_t s = slot(src), d = slot(dst);
    x_[d] = x_[s];
    y_[d] = y_[s];
    minL_[d] = minL_[s];
    minW_[d] = minW_[s];
}

// Moves the points of slots from..from+n-1 to slots to..to+n-1, ranges checked.
void CornerPoints::movePoints(std::int32_t from, std::int32_t to, std::int32_t n) {
    if (n <= 0) return;
    slot(from), slot(from + n - 1), slot(to), slot(to + n - 1);
    const auto bytes = static_cast<std::size_t>(n) * sizeof(std::int16_t);
    for (std::vector<std::int16_t>* v : {&x_, &y_, &minL_, &minW_})
        std::memmove(v->data() + to, v->data() + from, bytes);
}

void CornerPoints::shiftPointsUp(std::int32_t lo, std::int32_t hi) {
    movePoints(lo, lo + 1, hi - lo + 1);
}

void CornerPoints::shiftPointsDown(std::int32_t lo, std::int32_t hi) {
    movePoints(lo, lo - 1, hi - lo + 1);
}

void CornerPoints::movePointBack(std::int32_t dst, std::int32_t src) {
    copyPoint(src, capacity);
    shiftPointsUp(dst, src - 1);
    copyPoint(capacity, dst);
}

float CornerPoints::pointKey(std::int32_t i, float wx, float wy) {
    return core::toF32(static_cast<long double>(x(i)) * wx + static_cast<long double>(y(i)) * wy);
}

void CornerPoints::insertPointSorted(std::int32_t i, float wx, float wy) {
    const float k = pointKey(i, wx, wy);
    std::int32_t j = i - 1;
    while (j >= 1 && pointKey(j, wx, wy) > k) --j;
    if (j + 1 < i) movePointBack(j + 1, i);
}

// In double precision both products are exact (16-bit by 24-bit), and so is their
// sum whenever the rounding error of the sum is zero: then rounding it to float
// gives what the extended-precision form gives. Otherwise that form decides.
float CornerPoints::pointKeyFast(std::int32_t i, float wx, float wy) const {
    const auto s = static_cast<std::size_t>(i);
    const double px = static_cast<double>(x_[s]) * wx, py = static_cast<double>(y_[s]) * wy;
    const double sum = px + py;
    const double bigger = std::fabs(px) >= std::fabs(py) ? px : py, smaller = bigger == px ? py : px;
    if (smaller - (sum - bigger) == 0.0) [[likely]]
        return static_cast<float>(sum);
    return core::toF32(static_cast<long double>(x_[s]) * wx + static_cast<long double>(y_[s]) * wy);
}

namespace {
// First slot in lo..hi whose key exceeds k (or reaches it, when orEqual); hi + 1 when none.
template <typename KeyFn>
std::int32_t firstKeyPast(std::int32_t lo, std::int32_t hi, float k, bool orEqual, KeyFn key) {
    std::int32_t top = hi + 1;
    while (lo < top) {
        const std::int32_t mid = lo + (top - lo) / 2;
        const float m = key(mid);
        if (m > k || (orEqual && m == k))
            top = mid;
        else
            lo = mid + 1;
    }
    return lo;
}
} // namespace

std::int32_t CornerPoints::findSamePlaceOrInsert(std::int32_t i, float wx, float wy) {
    slot(i);
    auto key = [&](std::int32_t j) { return pointKeyFast(j, wx, wy); };
    const float k = key(i);
    const std::int16_t xi = x_[static_cast<std::size_t>(i)], yi = y_[static_cast<std::size_t>(i)];
    std::int32_t j = firstKeyPast(1, i - 1, k, true, key);
    for (; j < i && key(j) == k; ++j)
        if (x_[static_cast<std::size_t>(j)] == xi && y_[static_cast<std::size_t>(j)] == yi) return j;
    // j is now the first slot whose key exceeds k: where insertPointSorted puts the point.
    if (j < i) movePointBack(j, i);
    return 0;
}

void CornerPoints::growCornerPointArrays() {
    if (count < capacity) return;
    const std::int32_t old = capacity;
    capacity = core::toI32(core::roundHalfEven(old * 1.1L));
    if (capacity <= old) capacity = old + 1; // a tiny list would otherwise never grow
    setPointCapacity(capacity + 1);
    resetPoints(old, capacity);
}

void CornerPoints::deletePoint(std::int32_t i) {
    shiftPointsDown(i + 1, count);
    --count;
}

} // namespace rectix::engine
