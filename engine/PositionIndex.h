#pragma once

#include <array>
#include <cstdint>

namespace rectix::engine {

// Largest value per range of packing-order positions (1..1023), to find in
// position order the placed boxes whose far edge passes a coordinate without
// visiting the others. An empty position holds -1.
class PositionIndex {
  public:
    static constexpr int leaves = 1024;

    PositionIndex() { Clear(); }

    void Clear() { max_.fill(-1); }

    void Set(int pos, int value) {
        int i = pos + leaves;
        max_[static_cast<std::size_t>(i)] = static_cast<std::int32_t>(value);
        for (i /= 2; i >= 1; i /= 2) {
            const auto l = max_[static_cast<std::size_t>(2 * i)],
                       r = max_[static_cast<std::size_t>(2 * i + 1)];
            max_[static_cast<std::size_t>(i)] = l > r ? l : r;
        }
    }

    // Calls fn(pos) in increasing order for every position below beforePos whose
    // value exceeds threshold, until fn returns true; returns whether it did.
    template <typename Fn> bool anyAbove(int beforePos, int threshold, Fn fn) const {
        return visit(1, 0, leaves - 1, beforePos - 1, threshold, fn);
    }

  private:
    template <typename Fn> bool visit(int node, int lo, int hi, int last, int threshold, Fn& fn) const {
        if (lo > last || max_[static_cast<std::size_t>(node)] <= threshold) return false;
        if (lo == hi) return fn(lo);
        const int mid = (lo + hi) / 2;
        return visit(2 * node, lo, mid, last, threshold, fn) ||
               visit(2 * node + 1, mid + 1, hi, last, threshold, fn);
    }

    std::array<std::int32_t, 2 * leaves> max_{};
};

} // namespace rectix::engine
