// The solve bridge: storing a plan as the current task's solution.
#include "taskdb/SolveBridge.h"

#include "taskdb/DataModule.h"
#include "taskdb/OperationFrame.h"
#include "taskdb/RunStore.h"

#include "core/Checked.h"
#include "core/Rounding.h"
#include "dataset/Cursor.h"
#include "dataset/Transaction.h"
#include "dataset/Value.h"

#include <chrono>
#include <map>
#include <set>

namespace rectix::taskdb {

namespace {
dataset::CalendarDate today() {
    const auto now = std::chrono::system_clock::now();
    const std::time_t t = std::chrono::system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&t, &local);
    return dataset::CalendarDate{std::chrono::year{local.tm_year + 1900},
                                 std::chrono::month{static_cast<unsigned>(local.tm_mon + 1)},
                                 std::chrono::day{static_cast<unsigned>(local.tm_mday)}};
}
} // namespace

// The grids stop repainting and the calculated fields are not computed while
// the rows change. After a failure (the change rolled back) the cursors drop
// what the failure left pending, which the first move would post again, and
// show the tables as they are; either way the page follows the task row. The
// error that ended the change is the one reported, not a further one.
void SolveBridge::changeRows(const std::function<void()>& change) {
    const auto reload = [this] {
        for (dataset::Cursor* c : {&dm_.posit, &dm_.distr, &dm_.solut, &dm_.tb, &dm_.tc, &dm_.tasks}) {
            try {
                if (c->isOpen()) c->cancel();
            } catch (...) {
            }
        }
        for (dataset::Cursor* c : {&dm_.tasks, &dm_.tc, &dm_.tb, &dm_.solut, &dm_.distr, &dm_.posit}) {
            try {
                if (c->isOpen()) c->refresh();
            } catch (...) {
            }
        }
    };
    try {
        const OperationFrame frame(dm_.operationView(),
                                   OperationFrame::Options()
                                       .controlsOff({&dm_.tc, &dm_.tb, &dm_.distr, &dm_.posit})
                                       .calcFieldsOff({&dm_.tc, &dm_.tb, &dm_.solut, &dm_.distr, &dm_.posit})
                                       .onFailure(reload));
        change();
    } catch (...) {
        try {
            dm_.tasksAfterPost();
        } catch (...) {
        }
        throw;
    }
    dm_.tasksAfterPost();
}

// Deletes the task's solution rows, keeping the fixed containers when asked.
void SolveBridge::deleteStoredSolution(bool keepFixed, int& kept) {
    kept = 0;
    dm_.solut.first();
    while (!dm_.solut.eof()) {
        if (keepFixed && dm_.solutFixCont.asBoolean()) {
            ++kept;
            dm_.solut.next();
            continue;
        }
        while (!dm_.distr.isEmpty()) dm_.distr.deleteRow();
        while (!dm_.posit.isEmpty()) dm_.posit.deleteRow();
        dm_.solut.deleteRow();
    }
    // Rows of no container row, as another program may leave them, are of no kept container
    // either: left, they would stop every later solve and reload of the task.
    std::set<long double> containers;
    for (dm_.solut.first(); !dm_.solut.eof(); dm_.solut.next())
        containers.insert(dataset::numericValue(dm_.solutContNo.value()));
    dm_.solut.first();
    for (const dataset::Cursor* details : {&dm_.distr, &dm_.posit})
        eachRowOfTask(*details, [&containers](dataset::Cursor& rows) {
            if (containers.contains(dataset::numericValue(rows.field("ContNo").value()))) return false;
            rows.deleteRow();
            return true;
        });
}

void SolveBridge::writeSolution(const engine::PackSolution& plan) {
    const RunStore& s = dm_.store();
    step(core::Caption::WritingSolution);
    changeRows([&] {
        bar(5);
        dataset::Transaction tx(dm_.db);
        int kept = 0;
        deleteStoredSolution(false, kept);

        dm_.tasks.edit();
        dm_.tasksSolut.setBoolean(true);
        dm_.tasksDate.setDate(today());
        dm_.tasksPower.setInteger(s.optPower);
        dm_.tasksTime.setInteger(s.optTime);
        dm_.tasksRand.setInteger(s.optRand);
        dm_.tasksQw.setInteger(core::add16(s.optQw, core::mul32(100, s.optQg)));
        dm_.tasksQc.setInteger(s.optQc);
        dm_.tasksQr.setInteger(s.optQr);
        dm_.tasksBB.setInteger(s.optBB);
        dm_.tasksBW.setInteger(s.optBW);
        dm_.tasksLast.setBoolean(s.optLast);
        dm_.tasks.post();
        bar(15);

        int i = 0;
        for (dm_.tc.first(); !dm_.tc.eof(); dm_.tc.next()) {
            dm_.tc.edit();
            dm_.tcUsed.setInteger(p_.contTypes.used[++i]);
            dm_.tc.post();
        }
        dm_.tc.first();
        bar(20);
        const auto count = static_cast<long double>(dm_.tb.recordCount());
        int k = 0;
        for (dm_.tb.first(); !dm_.tb.eof(); dm_.tb.next()) {
            ++k;
            bar(static_cast<int>(core::roundHalfEven(k * 60 / count)) + 20);
            dm_.tb.edit();
            dm_.tbPlaced.setInteger(p_.boxKinds.placed[k]);
            dm_.tb.post();
        }
        dm_.tb.first();
        bar(90);

        // One container after another: its row, then its box kinds and positions
        // (details of the row), each in ascending kind and box number.
        for (int c = 1; c <= p_.contCount; ++c) {
            if (plan.boxLoad[c] <= 0) continue;
            dm_.solut.append();
            dm_.solutContNo.setInteger(c);
            dm_.solutTypeID.setInteger(p_.contTypes.typeID[p_.contInstType[c]]);
            dm_.solutBoxLoad.setInteger(plan.boxLoad[c]);
            dm_.solutWgtLoad.setInteger(plan.wgtLoad[c]);
            dm_.solutWolLoad.setFloat(plan.wolLoad[c]);
            dm_.solutFixCont.setBoolean(plan.fixCont[c]);
            dm_.solutCostLoad.setFloat(plan.costLoad[c]);
            dm_.solutNoseLoad.setInteger(plan.noseLoad[c]);
            dm_.solutTailLoad.setInteger(plan.tailLoad[c]);
            dm_.solut.post();
            std::map<int, int> perKind;
            for (int j = 1; j <= p_.boxCount; ++j)
                if (plan.contNo[j] == c) ++perKind[p_.boxInstKind[j]];
            for (const auto& [kind, n] : perKind) {
                dm_.distr.append();
                dm_.distrKindID.setInteger(p_.boxKinds.kindID[kind]);
                dm_.distrPlaced.setInteger(n);
                dm_.distr.post();
            }
            for (int j = 1; j <= p_.boxCount; ++j) {
                if (plan.contNo[j] != c) continue;
                dm_.posit.append();
                dm_.positBoxNo.setInteger(j);
                dm_.positKindID.setInteger(p_.boxKinds.kindID[p_.boxInstKind[j]]);
                dm_.positPosX.setInteger(plan.posX[j]);
                dm_.positPosY.setInteger(plan.posY[j]);
                dm_.positPosLh.setInteger(plan.posLh[j]);
                dm_.positPosWh.setInteger(plan.posWh[j]);
                dm_.positLoadNo.setInteger(plan.loadNo[j]);
                dm_.posit.post();
            }
        }
        dm_.solut.first();
        bar(100);
        tx.commit();
    });
}

} // namespace rectix::taskdb
