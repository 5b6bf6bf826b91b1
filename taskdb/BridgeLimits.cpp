// The solve bridge: the figures of a task that a run could not hold, refused before the run.
#include "taskdb/SolveBridge.h"

#include "taskdb/DataModule.h"
#include "taskdb/ValueRanges.h"

#include "core/Checked.h"
#include "core/UiTexts.h"
#include "engine/SizeLimits.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace rectix::taskdb {

namespace {

using engine::SizeLimits;

// The row's values of these fields, read as stored; none when one lies outside the range the table
// rules keep or is not of its type: the solve refuses that row by its own check, naming it.
std::optional<std::vector<std::int64_t>> ruledValues(const std::vector<const dataset::Field*>& fields,
                                                     const char* table) {
    std::vector<std::int64_t> out;
    for (const dataset::Field* f : fields) {
        const auto v = static_cast<double>(dataset::numericValue(f->value()));
        const ValueRange* r = valueRange(table, f->name());
        if (!f->holdsItsType() || (r && !r->contains(v))) return std::nullopt;
        out.push_back(static_cast<std::int64_t>(v));
    }
    return out;
}

std::string breachText(const SizeLimits::Breach& b, bool container, std::int64_t itemGap,
                       std::int64_t edgeGap) {
    const auto text = [](std::int64_t v) { return std::to_string(v); };
    if (b.figure == SizeLimits::Figure::SupportSpan)
        return core::messageWith(core::Msg::SupportSpanTooShort,
                                 {text(b.value), text(b.load), text(b.limit)});
    const char* field = b.figure == SizeLimits::Figure::Length ? "Length" : "Width";
    if (container)
        return core::messageWith(core::Msg::UsableSideTooLong,
                                 {field, text(b.value), text(b.limit), text(itemGap), text(edgeGap)});
    return core::messageWith(core::Msg::SideTooLong, {field, text(b.value), text(b.limit), text(itemGap)});
}

} // namespace

// Read through the totals' cursors, which no window shows: nothing moves that the user sees.
std::string SolveBridge::sizeRefusal(std::int64_t itemGap, std::int64_t edgeGap) const {
    for (dataset::Cursor* rows : {&dm_.tcs, &dm_.tbs}) {
        if (!rows->isOpen()) rows->open();
        rows->refresh();
    }
    std::vector<SizeLimits::BoxFigures> boxes;
    for (dm_.tbs.first(); !dm_.tbs.eof(); dm_.tbs.next()) {
        const auto v = ruledValues({&dm_.tbsLength, &dm_.tbsWidth, &dm_.tbsWeight}, "boxes");
        const auto total = ruledValues({&dm_.tbsTotal}, "tb");
        if (!v || !total) return {};
        boxes.push_back({(*v)[0], (*v)[1], (*v)[2], (*total)[0]});
    }
    const SizeLimits limits(itemGap, edgeGap);
    const auto refusal = [&](core::Msg rowSlot, const dataset::Field& name, const SizeLimits::Breach& b) {
        const std::string what = breachText(b, rowSlot == core::Msg::ContainerTypeRow, itemGap, edgeGap);
        return core::messageWith(core::Msg::TaskRefused,
                                 {taskName(), core::messageWith(rowSlot, {name.asString(), what})});
    };
    for (dm_.tcs.first(); !dm_.tcs.eof(); dm_.tcs.next()) {
        const auto v = ruledValues({&dm_.tcsLength, &dm_.tcsWidth, &dm_.tcsNoseDL, &dm_.tcsTailDL,
                                    &dm_.tcsLoadWt, &dm_.tcsNoseWt, &dm_.tcsTailWt},
                                   "conts");
        if (!v) return {};
        const SizeLimits::ContainerFigures c{(*v)[0], (*v)[1], (*v)[2], (*v)[3], (*v)[4], (*v)[5], (*v)[6]};
        if (const auto b = limits.container(c, boxes))
            return refusal(core::Msg::ContainerTypeRow, dm_.tcsType, *b);
    }
    for (dm_.tbs.first(); !dm_.tbs.eof(); dm_.tbs.next()) {
        const auto v = ruledValues({&dm_.tbsLength, &dm_.tbsWidth}, "boxes");
        if (!v) return {};
        if (const auto b = limits.box((*v)[0], (*v)[1]))
            return refusal(core::Msg::BoxKindRow, dm_.tbsKind, *b);
    }
    return {};
}

void SolveBridge::refuseStoredLoads(const engine::PackSolution& plan) const {
    const auto found = SizeLimits::firstLoadedIn(p_, plan);
    if (!found) return;
    if (!dm_.tcs.isOpen()) dm_.tcs.open();
    const bool named = dm_.tcs.locate("TypeID", p_.contTypes.typeID[found->entry]);
    refuse(core::messageWith(core::Msg::ContainerTypeRow,
                             {named ? dm_.tcsType.asString() : std::string(p_.contTypes.mark[found->entry]),
                              breachText(found->breach, true, 0, 0)}));
}

} // namespace rectix::taskdb
