// The data module: calculated fields and the current task's totals.
#include "taskdb/DataModule.h"

#include "taskdb/Figures.h"
#include "taskdb/RunStore.h"
#include "taskdb/TaskPageView.h"
#include "taskdb/ValueRanges.h"

#include "core/Checked.h"
#include "core/NumberFormat.h"
#include "core/Rounding.h"
#include "core/UiTexts.h"

#include <algorithm>
#include <limits>
#include <string>

namespace rectix::taskdb {

namespace {

// Area and cost sums are kept in single precision; each step is computed in
// extended precision.
float addProduct(float sum, long double value, std::int64_t count) {
    return core::toF32(static_cast<long double>(sum) + value * count);
}

// The 16-bit total that the Solve command's limits read: a larger sum is refused alike.
std::int16_t limitTotal(std::int64_t sum) {
    return static_cast<std::int16_t>(std::clamp<std::int64_t>(sum, std::numeric_limits<std::int16_t>::min(),
                                                              std::numeric_limits<std::int16_t>::max()));
}

// Call inside a catch block: the arithmetic error met again, naming the row's value that caused it
// as the solve names a row: by the value's range when it lies outside it, else by the error.
[[noreturn]] void rethrowForRow(const std::string& task, core::Msg rowSlot, const std::string& row,
                                const char* table, const char* field, long double value,
                                const std::exception& met) {
    const auto v = static_cast<double>(value);
    const ValueRange* range = valueRange(table, field);
    const std::string what =
        range && !range->contains(v)
            ? range->refusal(v)
            : core::messageWith(core::Msg::ValueUnusable,
                                {field, core::NumberFormat::regional().general(v), met.what()});
    core::rethrowArithmetic(
        core::messageWith(core::Msg::TaskRefused, {task, core::messageWith(rowSlot, {row, what})}));
}

} // namespace

std::int32_t DataModule::displayArea(long double area) const {
    return displayedArea(area, store_.areaMult, store_.mode);
}

void DataModule::contsCalcFields() {
    if (currentTaskID() == 0) return;
    const long double area =
        static_cast<long double>(contsLength.asInteger()) * 1.0L * contsWidth.asInteger();
    contsWolume.setFloat(static_cast<double>(area));
    contsVolume.setInteger(displayArea(area));
}

void DataModule::boxesCalcFields() {
    if (currentTaskID() == 0) return;
    const long double area =
        static_cast<long double>(boxesLength.asInteger()) * 1.0L * boxesWidth.asInteger();
    boxesWolume.setFloat(static_cast<double>(area));
    boxesVolume.setInteger(displayArea(area));
}

void DataModule::tbCalcFields() {
    if (currentTaskID() == 0) return;
    try {
        tbLeft.setInteger(core::checkedSub(tbTotal.asInteger(), tbPlaced.asInteger()));
    } catch (const std::exception& e) {
        // Placed is the one to blame unless Total lies outside the range the rules keep.
        const ValueRange* total = valueRange("tb", "Total");
        const bool totalOut = !total->contains(tbTotal.asFloat());
        rethrowForRow(tasksName.asString(), core::Msg::BoxKindRow, tbKind.asString(), "tb",
                      totalOut ? "Total" : "Placed", (totalOut ? tbTotal : tbPlaced).asFloat(), e);
    }
}

void DataModule::solutCalcFields() {
    if (currentTaskID() == 0) return;
    const long double wolLoad = solutWolLoad.asFloat();
    solutVolLoad.setInteger(displayArea(wolLoad));
    const std::int32_t loadWt = solutLoadWt.asInteger();
    solutWgtEff.setFloat(
        loadWt == 0 ? 0.0 : static_cast<double>(core::fdiv(solutWgtLoad.asInteger(), loadWt) * 100));
    const long double wolume = solutWolume.asFloat();
    solutVolEff.setFloat(wolume == 0 ? 0.0 : static_cast<double>(core::fdiv(wolLoad, wolume) * 100));
    solutLHW.setString(sizeText(solutLength.asInteger(), solutWidth.asInteger()));
}

void DataModule::distrCalcFields() {
    if (currentTaskID() == 0) return;
    const std::int32_t placed = distrPlaced.asInteger();
    distrWgtSum.setInteger(core::mul32(distrWeight.asInteger(), placed));
    distrVolSum.setInteger(displayArea(static_cast<long double>(distrWolume.asFloat()) * placed));
    distrLHW.setString(sizeText(distrLength.asInteger(), distrWidth.asInteger()));
}

// Everything is computed before anything is stored, and the totals are
// published once a change is computed whole, so an overflow leaves the totals
// stored and shown before as they were.
void DataModule::taskCntTotals() {
    std::int64_t nAvail = 0, wAvail = 0, nUsed = 0, wUsed = 0;
    float aAvail = 0, aUsed = 0, cost = 0;
    if (db.isOpen()) {
        if (!tcs.isOpen()) tcs.open();
        tcs.refresh();
        for (tcs.first(); !tcs.eof(); tcs.next()) {
            const std::int64_t avail = tcsAvail.asInteger();
            const std::int64_t used = tcsUsed.asInteger();
            const std::int64_t loadWt = tcsLoadWt.asInteger();
            const long double area = tcsWolume.asFloat();
            nAvail = core::checkedAdd(nAvail, avail);
            wAvail = core::checkedAdd(wAvail, core::checkedMul(avail, loadWt));
            aAvail = addProduct(aAvail, area, avail);
            nUsed = core::checkedAdd(nUsed, used);
            wUsed = core::checkedAdd(wUsed, core::checkedMul(used, loadWt));
            aUsed = addProduct(aUsed, area, used);
            // A cost stored as text counts 0 here; the solve refuses the row by name.
            const long double rowCost = dataset::numericValue(tcsCost.value());
            try {
                cost = addProduct(cost, rowCost, used);
            } catch (const std::exception& e) {
                rethrowForRow(tasksName.asString(), core::Msg::ContainerTypeRow, tcsType.asString(), "tc",
                              "Cost", rowCost, e);
            }
        }
    }
    const std::int32_t avlVol = displayArea(aAvail);
    const std::int32_t usdVol = displayArea(aUsed);

    store_.usedCapCost = cost;
    store_.totalContainers = limitTotal(nAvail);
    store_.usedCapWgt = wUsed;
    store_.usedCapArea = aUsed;
    totals_.available = {nAvail, wAvail, avlVol};
    totals_.used = {nUsed, wUsed, usdVol};
}

void DataModule::taskBoxTotals() {
    std::int64_t nTotal = 0, wTotal = 0, nPlaced = 0, wPlaced = 0;
    float aTotal = 0, aPlaced = 0, cost = 0;
    if (db.isOpen()) {
        if (!tbs.isOpen()) tbs.open();
        tbs.refresh();
        for (tbs.first(); !tbs.eof(); tbs.next()) {
            const std::int64_t total = tbsTotal.asInteger();
            const std::int64_t placed = tbsPlaced.asInteger();
            const std::int64_t weight = tbsWeight.asInteger();
            const long double area = tbsWolume.asFloat();
            nTotal = core::checkedAdd(nTotal, total);
            wTotal = core::checkedAdd(wTotal, core::checkedMul(total, weight));
            aTotal = addProduct(aTotal, area, total);
            nPlaced = core::checkedAdd(nPlaced, placed);
            wPlaced = core::checkedAdd(wPlaced, core::checkedMul(placed, weight));
            aPlaced = addProduct(aPlaced, area, placed);
            const long double rowCost = dataset::numericValue(tbsCost.value());
            try {
                cost = addProduct(cost, rowCost, placed);
            } catch (const std::exception& e) {
                rethrowForRow(tasksName.asString(), core::Msg::BoxKindRow, tbsKind.asString(), "tb", "Cost",
                              rowCost, e);
            }
        }
    }
    const std::int64_t nLeft = core::checkedSub(nTotal, nPlaced);
    const std::int64_t wLeft = core::checkedSub(wTotal, wPlaced);
    const std::int32_t totVol = displayArea(aTotal);
    const std::int32_t lftVol = displayArea(core::toF32(static_cast<long double>(aTotal) - aPlaced));

    store_.placedBoxCost = cost;
    store_.totalBoxes = limitTotal(nTotal);
    store_.placedWgt = wPlaced;
    store_.placedArea = aPlaced;
    totals_.boxes = {nTotal, wTotal, totVol};
    totals_.left = {nLeft, wLeft, lftVol};
    totals_.boxesLeftOver = store_.solutionState && nLeft > 0;
}

void DataModule::tasksCalcEff() {
    totals_.weightUse.reset();
    totals_.areaUse.reset();
    if (store_.usedCapWgt != 0) totals_.weightUse = core::fdiv(store_.placedWgt, store_.usedCapWgt) * 100;
    if (store_.usedCapArea != 0) totals_.areaUse = core::fdiv(store_.placedArea, store_.usedCapArea) * 100;
    totals_.netCost = static_cast<long double>(store_.placedBoxCost) - store_.usedCapCost;
}

void DataModule::refreshTotals() {
    taskCntTotals();
    taskBoxTotals();
    tasksCalcEff();
    page_->totalsChanged(totals_);
}

void DataModule::libraryAfterChange(Cursor& library) {
    if (library.controlsDisabled() || !tasks.isOpen()) return;
    refreshTotals();
}

void DataModule::tcAfterPost() {
    if (tc.controlsDisabled()) return;
    taskCntTotals();
    tasksCalcEff();
    page_->totalsChanged(totals_);
}

void DataModule::tcAfterDelete() {
    if (tc.controlsDisabled()) return;
    taskCntTotals();
    tasksCalcEff();
    page_->totalsChanged(totals_);
}

void DataModule::tbAfterPost() {
    if (tb.controlsDisabled()) return;
    taskBoxTotals();
    tasksCalcEff();
    page_->totalsChanged(totals_);
}

void DataModule::tbAfterDelete() {
    if (tb.controlsDisabled()) return;
    taskBoxTotals();
    tasksCalcEff();
    page_->totalsChanged(totals_);
}

} // namespace rectix::taskdb
