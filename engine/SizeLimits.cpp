#include "SizeLimits.h"

#include "Limits.h"
#include "PackProblem.h"
#include "core/Checked.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace rectix::engine {

namespace {

constexpr std::int64_t sideMax = std::numeric_limits<std::int16_t>::max();
constexpr std::int64_t loadMax = std::numeric_limits<std::int32_t>::max();
// The loads are lever sums in single precision: one percent over the exact bound covers their
// rounding, and one unit the rounding to a whole load.
constexpr long double loadSlack = 1.01L;
// The fill's test of a load against the sum of the support limits compares single-precision
// moments, whose rounding lets the load pass that sum by less than one percent.
constexpr long double supportSlack = 1.01L;

} // namespace

SizeLimits::SizeLimits(std::int64_t itemGap, std::int64_t edgeGap) : itemGap_(itemGap), edgeGap_(edgeGap) {}

std::optional<SizeLimits::Breach> SizeLimits::box(std::int64_t length, std::int64_t width) const {
    const std::int64_t limit = sideMax - itemGap_;
    if (length > limit) return Breach{Figure::Length, length, limit, 0};
    if (width > limit) return Breach{Figure::Width, width, limit, 0};
    return std::nullopt;
}

std::optional<SizeLimits::Breach> SizeLimits::container(std::int64_t length, std::int64_t width,
                                                        std::int64_t noseDL, std::int64_t tailDL,
                                                        std::int64_t load) const {
    const std::int64_t sideLimit = sideMax - itemGap_ + 2 * edgeGap_;
    if (length > sideLimit) return Breach{Figure::Length, length, sideLimit, 0};
    if (width > sideLimit) return Breach{Figure::Width, width, sideLimit, 0};

    load = std::abs(load);
    const std::int64_t span = length - noseDL - tailDL;
    if (span < 1 || load == 0) return std::nullopt;
    // A load's centre lies between the container's ends, in the container's coordinates as in
    // the fill's (which start after the edge gap and reach the item gap further); the tail load
    // is its moment about the nose support over the span, and the nose load the rest of it.
    const std::int64_t usable = length + itemGap_ - 2 * edgeGap_;
    const std::int64_t noseDist = noseDL + itemGap_ / 2 - edgeGap_;
    const std::int64_t arm = std::max(
        {std::abs(noseDL), std::abs(length - noseDL), std::abs(noseDist), std::abs(usable - noseDist)});
    const std::int64_t room = loadMax - 1 - load;
    if (room < 1) return std::nullopt; // the load itself does not fit, and is refused as a weight
    const long double least =
        std::ceil(static_cast<long double>(arm) * static_cast<long double>(load) * loadSlack / room);
    if (static_cast<long double>(span) < least)
        return Breach{Figure::SupportSpan, span, static_cast<std::int64_t>(least), load};
    return std::nullopt;
}

std::optional<SizeLimits::Breach> SizeLimits::container(const ContainerFigures& c,
                                                        const std::vector<BoxFigures>& boxes) const {
    return container(c.length, c.width, c.noseDL, c.tailDL, heaviestLoad(c, boxes));
}

// A whole load passes the fill's weight cap exactly when it passes the cap's whole part.
std::int64_t SizeLimits::fillLoadCap(std::int64_t loadWt) {
    return static_cast<std::int64_t>(std::floor(capacitySlack * static_cast<long double>(loadWt)));
}

std::int64_t SizeLimits::heaviestLoad(const ContainerFigures& c, const std::vector<BoxFigures>& boxes) const {
    std::int64_t cap = fillLoadCap(c.loadWt);
    if (c.noseWt + c.tailWt > 0)
        cap = std::min(cap, static_cast<std::int64_t>(
                                std::floor(supportSlack * static_cast<long double>(c.noseWt + c.tailWt))));
    // Placed boxes, the item gap with them, lie apart inside the usable sides: their areas sum to at
    // most the usable area, so no load outweighs the one that fills it with the densest kinds first,
    // the last of them in part.
    const std::int64_t usableL = c.length + itemGap_ - 2 * edgeGap_,
                       usableW = c.width + itemGap_ - 2 * edgeGap_;
    if (usableL < 1 || usableW < 1) return 0;
    struct Kind {
        std::int64_t area, weight, count;
    };
    std::vector<Kind> kinds;
    std::int64_t load = 0;
    for (const BoxFigures& b : boxes) {
        const std::int64_t l = b.length + itemGap_, w = b.width + itemGap_;
        const std::int64_t weight = std::abs(b.weight), count = std::max<std::int64_t>(1, b.total);
        if (l < 1 || w < 1) // no area to bound it by
            load = core::checkedAdd(load, core::checkedMul(weight, count));
        else if ((l <= usableL && w <= usableW) || (w <= usableL && l <= usableW))
            kinds.push_back({l * w, weight, count});
    }
    std::sort(kinds.begin(), kinds.end(),
              [](const Kind& a, const Kind& b) { return a.weight * b.area > b.weight * a.area; });
    std::int64_t room = usableL * usableW;
    for (const Kind& k : kinds) {
        const std::int64_t whole = std::min(k.count, room / k.area);
        load = core::checkedAdd(load, core::checkedMul(whole, k.weight));
        room -= whole * k.area;
        if (whole < k.count) {
            load = core::checkedAdd(load, (core::checkedMul(room, k.weight) + k.area - 1) / k.area);
            break;
        }
    }
    return std::min(load, cap);
}

std::optional<SizeLimits::Found> SizeLimits::firstIn(const PackProblem& p) {
    const SizeLimits limits(p.settings.itemGap, p.settings.edgeGap);
    std::vector<BoxFigures> boxes;
    for (int k = 1; k <= p.boxKindCount; ++k)
        boxes.push_back(
            {p.boxKinds.length[k], p.boxKinds.width[k], p.boxKinds.weight[k], p.boxKinds.total[k]});
    const auto& ct = p.contTypes;
    for (int t = 1; t <= p.contTypeCount; ++t) {
        const ContainerFigures c{ct.length[t], ct.width[t],  ct.noseDL[t], ct.tailDL[t],
                                 ct.loadWt[t], ct.noseWt[t], ct.tailWt[t]};
        if (const auto b = limits.container(c, boxes)) return Found{true, t, *b};
    }
    for (int k = 1; k <= p.boxKindCount; ++k)
        if (const auto b = limits.box(p.boxKinds.length[k], p.boxKinds.width[k])) return Found{false, k, *b};
    return std::nullopt;
}

std::optional<SizeLimits::Found> SizeLimits::firstLoadedIn(const PackProblem& p, const PackSolution& plan) {
    const SizeLimits limits;
    const auto& ct = p.contTypes;
    for (int c = 1; c <= p.contCount; ++c) {
        std::int64_t load = 0;
        for (int b = 1; b <= p.boxCount; ++b)
            if (plan.contNo[b] == c)
                load = core::checkedAdd(load, std::abs(std::int64_t{p.boxKinds.weight[p.boxInstKind[b]]}));
        const int t = p.contInstType[c];
        if (const auto b = limits.container(ct.length[t], ct.width[t], ct.noseDL[t], ct.tailDL[t], load))
            return Found{true, t, *b};
    }
    return std::nullopt;
}

} // namespace rectix::engine
