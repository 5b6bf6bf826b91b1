// The solve bridge: clearing a stored solution and reloading it into the engine.
#include "taskdb/SolveBridge.h"

#include "taskdb/ControlsOff.h"
#include "taskdb/DMUnit.h"
#include "taskdb/RunStore.h"

#include "core/Checked.h"
#include "core/Rounding.h"
#include "dataset/Transaction.h"

namespace rectix::taskdb {

using core::toI16;

void SolveBridge::ClearSolution() {
    Step(43);
    SwitchOff();
    MessageDialog& dialogs = dm_.dialogs();
    try {
        dataset::Transaction tx(dm_.db);
        for (dm_.tc.first(); !dm_.tc.eof(); dm_.tc.next()) {
            dm_.tc.edit();
            dm_.tcUsed.setInteger(0);
            dm_.tc.post();
        }
        dm_.tc.first();
        Bar(5);
        const auto count = static_cast<long double>(dm_.tb.recordCount());
        int i = 0;
        for (dm_.tb.first(); !dm_.tb.eof(); dm_.tb.next(), ++i) {
            Bar(static_cast<int>(core::roundHalfEven(i * 70 / count)) + 10);
            dm_.tb.edit();
            dm_.tbPlaced.setInteger(0);
            dm_.tb.post();
        }
        dm_.tb.first();
        Bar(90);

        int kept = 0;
        DeleteStoredSolution(true, kept);
        Bar(100);

        // What the kept fixed containers hold counts as used and placed.
        Step(44);
        for (dm_.solut.first(); kept > 0 && !dm_.solut.eof(); dm_.solut.next(), --kept) {
            if (dm_.tc.locate("TypeID", dm_.solutTypeID.asInteger())) {
                dm_.tc.edit();
                dm_.tcUsed.setInteger(core::add16(dm_.tcUsed.isNull() ? 0 : dm_.tcUsed.asInteger(), 1));
                dm_.tc.post();
            } else {
                dialogs.Show(DialogKind::Error, "ContFix Error ", {DialogButton::OK}, 0);
            }
            const auto kinds = static_cast<long double>(dm_.distr.recordCount());
            int d = 0;
            for (dm_.distr.first(); !dm_.distr.eof(); dm_.distr.next(), ++d) {
                Bar(static_cast<int>(core::roundHalfEven(d * 75 / kinds)) + 5);
                if (dm_.tb.locate("KindID", dm_.distrKindID.asInteger())) {
                    dm_.tb.edit();
                    dm_.tbPlaced.setInteger(core::add16(dm_.tbPlaced.isNull() ? 0 : dm_.tbPlaced.asInteger(),
                                                        dm_.distrPlaced.asInteger()));
                    dm_.tb.post();
                } else {
                    dialogs.Show(DialogKind::Error, "BoxFix Error ", {DialogButton::OK}, 0);
                }
            }
        }
        Bar(85);
        dm_.tc.first();
        dm_.tb.first();
        dm_.distr.first();
        dm_.tasks.edit();
        dm_.tasksSolut.setBoolean(false);
        dm_.tasks.post();
        Bar(90);
        tx.commit();
    } catch (...) {
        Restore(true);
        throw;
    }
    Restore(false);
    Bar(100);
}

std::int32_t SolveBridge::ReloadSolution() {
    RunStore& s = dm_.store();
    // Until the whole plan is rebuilt, the result record belongs to no task.
    s.LoadedSolutionTaskID = 0;
    p_.ResetProblem(p_.ResultSolution);
    ReadTaskInput();
    p_.PrepareInstances();
    ReadStoredSolution(p_.ResultSolution);
    p_.ComputeContainerLoads(p_.ResultSolution);
    p_.CountPlacedAndUsed(p_.ResultSolution);
    p_.EvaluateSolution(p_.ResultSolution, false);
    s.LoadedSolutionTaskID = dm_.tasksTaskID.asInteger();
    return s.LoadedSolutionTaskID;
}

void SolveBridge::ReadStoredSolution(engine::TPackSolution& plan) {
    const ControlsOff off{&dm_.posit, &dm_.distr};
    for (dm_.solut.first(); !dm_.solut.eof(); dm_.solut.next()) {
        const std::int32_t c = dm_.solutContNo.asInteger();
        if (c < 1 || c > p_.ContCount)
            Refuse("the stored solution holds container " + std::to_string(c) + ", but the task has " +
                   std::to_string(p_.ContCount));
        const int type = p_.ContInstType[c];
        for (dm_.posit.first(); !dm_.posit.eof(); dm_.posit.next()) {
            const std::int32_t j = dm_.positBoxNo.asInteger();
            const std::string where =
                "stored box " + std::to_string(j) + " of container " + std::to_string(c);
            if (j < 1 || j > p_.BoxCount)
                Refuse(where + " is not one of the task's " + std::to_string(p_.BoxCount) + " boxes");
            if (p_.BoxKinds.KindID[p_.BoxInstKind[j]] != dm_.positKindID.asInteger())
                Refuse(where + " is of another kind than the task's box " + std::to_string(j));
            if (plan.ContNo[j] != 0) Refuse(where + " is stored twice");
            CheckPosition(type, dm_.positPosX.asInteger(), dm_.positPosY.asInteger(),
                          dm_.positPosLh.asInteger(), dm_.positPosWh.asInteger(), where);
            TakeStoredBox(plan, j, c);
        }
    }
    for (dataset::Cursor* c : {&dm_.solut, &dm_.posit, &dm_.tc, &dm_.tb}) c->first();
}

} // namespace rectix::taskdb
