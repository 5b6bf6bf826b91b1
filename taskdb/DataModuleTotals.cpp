// The data module: calculated fields and the current task's totals.
#include "taskdb/DataModule.h"

#include "taskdb/Figures.h"
#include "taskdb/RunStore.h"
#include "taskdb/TaskPageView.h"

#include "core/Checked.h"
#include "core/Rounding.h"

#include <string>

namespace rectix::taskdb {

namespace {

// Area and cost sums are kept in single precision; each step is computed in
// extended precision.
float addProduct(float sum, long double value, std::int32_t count) {
    return core::toF32(static_cast<long double>(sum) + value * count);
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
    tbLeft.setInteger(core::checkedSub(tbTotal.asInteger(), tbPlaced.asInteger()));
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
    std::int32_t nAvail = 0, wAvail = 0, nUsed = 0, wUsed = 0;
    float aAvail = 0, aUsed = 0, cost = 0;
    if (db.isOpen()) {
        if (!tcs.isOpen()) tcs.open();
        tcs.refresh();
        for (tcs.first(); !tcs.eof(); tcs.next()) {
            const std::int32_t avail = tcsAvail.asInteger();
            const std::int32_t used = tcsUsed.asInteger();
            const std::int32_t loadWt = tcsLoadWt.asInteger();
            const long double area = tcsWolume.asFloat();
            nAvail = core::add32(nAvail, avail);
            wAvail = core::add32(wAvail, core::mul32(avail, loadWt));
            aAvail = addProduct(aAvail, area, avail);
            nUsed = core::add32(nUsed, used);
            wUsed = core::add32(wUsed, core::mul32(used, loadWt));
            aUsed = addProduct(aUsed, area, used);
            // A cost stored as text counts 0 here; the solve refuses the row by name.
            cost = addProduct(cost, dataset::numericValue(tcsCost.value()), used);
        }
    }
    const std::int16_t total = core::toI16(nAvail);
    const std::int32_t avlVol = displayArea(aAvail);
    const std::int32_t usdVol = displayArea(aUsed);

    store_.usedCapCost = cost;
    store_.totalContainers = total;
    store_.usedCapWgt = wUsed;
    store_.usedCapArea = aUsed;
    totals_.available = {nAvail, wAvail, avlVol};
    totals_.used = {nUsed, wUsed, usdVol};
}

void DataModule::taskBoxTotals() {
    std::int32_t nTotal = 0, wTotal = 0, nPlaced = 0, wPlaced = 0;
    float aTotal = 0, aPlaced = 0, cost = 0;
    if (db.isOpen()) {
        if (!tbs.isOpen()) tbs.open();
        tbs.refresh();
        for (tbs.first(); !tbs.eof(); tbs.next()) {
            const std::int32_t total = tbsTotal.asInteger();
            const std::int32_t placed = tbsPlaced.asInteger();
            const std::int32_t weight = tbsWeight.asInteger();
            const long double area = tbsWolume.asFloat();
            nTotal = core::add32(nTotal, total);
            wTotal = core::add32(wTotal, core::mul32(total, weight));
            aTotal = addProduct(aTotal, area, total);
            nPlaced = core::add32(nPlaced, placed);
            wPlaced = core::add32(wPlaced, core::mul32(placed, weight));
            aPlaced = addProduct(aPlaced, area, placed);
            cost = addProduct(cost, dataset::numericValue(tbsCost.value()), placed);
        }
    }
    const std::int16_t boxCount = core::toI16(nTotal);
    const std::int32_t nLeft = core::checkedSub(nTotal, nPlaced);
    const std::int32_t wLeft = core::checkedSub(wTotal, wPlaced);
    const std::int32_t totVol = displayArea(aTotal);
    const std::int32_t lftVol = displayArea(core::toF32(static_cast<long double>(aTotal) - aPlaced));

    store_.placedBoxCost = cost;
    store_.totalBoxes = boxCount;
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
