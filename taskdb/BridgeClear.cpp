// The solve bridge: clearing a stored solution and reloading it into the engine.
#include "taskdb/SolveBridge.h"

#include "core/Dialogs.h"
#include "core/UiTexts.h"

#include "taskdb/DataModule.h"
#include "taskdb/OperationFrame.h"
#include "taskdb/RunStore.h"

#include "core/Checked.h"
#include "core/Rounding.h"
#include "dataset/Transaction.h"

#include <map>
#include <vector>

namespace rectix::taskdb {

using core::toI16;

void SolveBridge::clearSolution() {
    step(core::Caption::ClearingSolution);
    core::Dialogs& dialogs = core::Dialogs::current();
    changeRows([&] {
        dataset::Transaction tx(dm_.db);
        for (dm_.tc.first(); !dm_.tc.eof(); dm_.tc.next()) {
            dm_.tc.edit();
            dm_.tcUsed.setInteger(0);
            dm_.tc.post();
        }
        dm_.tc.first();
        bar(5);
        const auto count = static_cast<long double>(dm_.tb.recordCount());
        int i = 0;
        for (dm_.tb.first(); !dm_.tb.eof(); dm_.tb.next(), ++i) {
            bar(static_cast<int>(core::roundHalfEven(i * 70 / count)) + 10);
            dm_.tb.edit();
            dm_.tbPlaced.setInteger(0);
            dm_.tb.post();
        }
        dm_.tb.first();
        bar(90);

        int kept = 0;
        deleteStoredSolution(true, kept);
        bar(100);

        // What the kept fixed containers hold counts as used and placed.
        step(core::Caption::FixedObjects);
        for (dm_.solut.first(); kept > 0 && !dm_.solut.eof(); dm_.solut.next(), --kept) {
            if (dm_.tc.locate("TypeID", dm_.solutTypeID.asInteger())) {
                dm_.tc.edit();
                dm_.tcUsed.setInteger(core::add16(dm_.tcUsed.isNull() ? 0 : dm_.tcUsed.asInteger(), 1));
                dm_.tc.post();
            } else {
                dialogs.show(DialogKind::Error, "ContFix Error ", DialogButton::Ok, 0);
            }
            const auto kinds = static_cast<long double>(dm_.distr.recordCount());
            int d = 0;
            for (dm_.distr.first(); !dm_.distr.eof(); dm_.distr.next(), ++d) {
                bar(static_cast<int>(core::roundHalfEven(d * 75 / kinds)) + 5);
                if (dm_.tb.locate("KindID", dm_.distrKindID.asInteger())) {
                    dm_.tb.edit();
                    dm_.tbPlaced.setInteger(core::add16(dm_.tbPlaced.isNull() ? 0 : dm_.tbPlaced.asInteger(),
                                                        dm_.distrPlaced.asInteger()));
                    dm_.tb.post();
                } else {
                    dialogs.show(DialogKind::Error, "BoxFix Error ", DialogButton::Ok, 0);
                }
            }
        }
        bar(85);
        dm_.tc.first();
        dm_.tb.first();
        dm_.distr.first();
        dm_.tasks.edit();
        dm_.tasksSolut.setBoolean(false);
        dm_.tasks.post();
        bar(90);
        tx.commit();
    });
    bar(100);
}

std::int32_t SolveBridge::reloadSolution() {
    RunStore& s = dm_.store();
    // Until the whole plan is rebuilt, the result record belongs to no task.
    s.loadedSolutionTaskID = 0;
    // The task's rows are walked for the plan: the page keeps its rows, also when it is refused.
    walkKeepingRows(dm_.operationView(), {&dm_.tc, &dm_.tb},
                    [this] { readCheckedSolution(p_.resultSolution); });
    p_.computeContainerLoads(p_.resultSolution);
    p_.countPlacedAndUsed(p_.resultSolution);
    p_.evaluateSolution(p_.resultSolution, false);
    s.loadedSolutionTaskID = dm_.tasksTaskID.asInteger();
    return s.loadedSolutionTaskID;
}

void SolveBridge::readCheckedSolution(engine::PackSolution& plan) {
    p_.resetProblem(plan);
    // Settings that a solve would refuse are not shown as the settings the plan was made with.
    if (const std::string bad = dm_.taskRowRefusal(); !bad.empty()) refuse(bad);
    readTaskInput();
    p_.prepareInstances();
    readStoredSolution(plan);
    refuseStoredLoads(plan);
}

void SolveBridge::readStoredSolution(engine::PackSolution& plan) {
    const OperationFrame frame(dm_.operationView(),
                               OperationFrame::Options().controlsOff({&dm_.posit, &dm_.distr}));
    std::set<std::int32_t> containers;
    for (dm_.solut.first(); !dm_.solut.eof(); dm_.solut.next()) {
        checkSolutionRow(dm_.solut);
        const std::int32_t c = dm_.solutContNo.asInteger();
        containers.insert(c);
        if (c < 1 || c > p_.contCount)
            refuseRow(dm_.solut, "ContNo",
                      core::messageWith(core::Msg::SolutionContainerPast,
                                        {std::to_string(c), std::to_string(p_.contCount)}));
        const int type = p_.contInstType[c];
        if (dm_.solutTypeID.asInteger() != p_.contTypes.typeID[type])
            refuseRow(dm_.solut, "TypeID",
                      core::messageWith(core::Msg::ContainerOfAnotherType, {std::to_string(c)}));
        for (dm_.posit.first(); !dm_.posit.eof(); dm_.posit.next()) {
            checkSolutionRow(dm_.posit);
            const std::int32_t j = dm_.positBoxNo.asInteger();
            const std::string where =
                core::messageWith(core::Msg::StoredBox, {std::to_string(j), std::to_string(c)});
            if (j < 1 || j > p_.boxCount)
                refuseRow(dm_.posit, "BoxNo",
                          core::messageWith(core::Msg::BoxNotInTask, {where, std::to_string(p_.boxCount)}));
            if (p_.boxKinds.kindID[p_.boxInstKind[j]] != dm_.positKindID.asInteger())
                refuseRow(dm_.posit, "KindID",
                          core::messageWith(core::Msg::BoxOfAnotherKind, {where, std::to_string(j)}));
            if (plan.contNo[j] != 0)
                refuseRow(dm_.posit, "BoxNo", core::messageWith(core::Msg::BoxStoredTwice, {where}));
            checkPosition(type, where);
            checkSides(p_.boxInstKind[j], where);
            takeStoredBox(plan, j, c);
        }
        checkStoredCounts(plan, c);
        checkLoadNos(c);
        checkNoOverlap(plan, c, c);
        p_.computeContainerLoads(plan);
        checkStoredTotals(plan, c);
        checkCapacity(plan, c, c);
    }
    checkNoStrayPositions(containers);
    checkPlacedCounts(plan);
    for (dataset::Cursor* c : {&dm_.solut, &dm_.posit, &dm_.tc, &dm_.tb}) c->first();
}

// The positions read for the current container agree with its row's box count
// and its rows of box kinds.
void SolveBridge::checkStoredCounts(const engine::PackSolution& plan, int c) const {
    const std::string container = std::to_string(c);
    std::map<std::int32_t, long long> perKind;
    long long n = 0;
    for (int j = 1; j <= p_.boxCount; ++j)
        if (plan.contNo[j] == c) ++n, ++perKind[p_.boxKinds.kindID[p_.boxInstKind[j]]];
    const long double counted = dataset::numericValue(dm_.solutBoxLoad.value());
    if (counted != n)
        refuseRow(dm_.solut, "BoxLoad",
                  core::messageWith(core::Msg::PositionsMiscounted,
                                    {container, std::to_string(n), dm_.solutBoxLoad.asString()}));
    for (dm_.distr.first(); !dm_.distr.eof(); dm_.distr.next()) {
        checkSolutionRow(dm_.distr);
        const std::int32_t kind = dm_.distrKindID.asInteger();
        if (dataset::numericValue(dm_.distrPlaced.value()) != perKind[kind])
            refuseRow(dm_.distr, "Placed",
                      core::messageWith(core::Msg::KindMiscounted,
                                        {container, std::to_string(perKind[kind]), dm_.distrKind.asString(),
                                         dm_.distrPlaced.asString()}));
        perKind.erase(kind);
    }
    for (const auto& [kind, count] : perKind)
        if (count != 0)
            refuseRow(dm_.solut, nullptr, core::messageWith(core::Msg::KindNotListed, {container}));
}

// No two boxes of container c cover the same place; `stored` is its number in the stored solution.
void SolveBridge::checkNoOverlap(const engine::PackSolution& plan, int c, int stored) const {
    std::vector<int> boxes;
    for (int j = 1; j <= p_.boxCount; ++j)
        if (plan.contNo[j] == c) boxes.push_back(j);
    for (std::size_t a = 0; a < boxes.size(); ++a)
        for (std::size_t b = a + 1; b < boxes.size(); ++b) {
            const int i = boxes[a], j = boxes[b];
            if (plan.posX[i] < plan.posX[j] + plan.posLh[j] && plan.posX[j] < plan.posX[i] + plan.posLh[i] &&
                plan.posY[i] < plan.posY[j] + plan.posWh[j] && plan.posY[j] < plan.posY[i] + plan.posWh[i])
                refuseRow(dm_.solut, nullptr,
                          core::messageWith(core::Msg::BoxesOverlap, {std::to_string(stored)}));
        }
}

} // namespace rectix::taskdb
