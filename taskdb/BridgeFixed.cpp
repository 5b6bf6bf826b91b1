// The solve bridge: the containers the user fixed in the stored solution.
#include "taskdb/SolveBridge.h"

#include "core/Dialogs.h"

#include "taskdb/DataModule.h"
#include "taskdb/OperationFrame.h"

#include "core/Checked.h"
#include "core/UiTexts.h"

#include <algorithm>

namespace rectix::taskdb {

using core::toI16;

// Reads only: the stored rows are replaced when the new solution is written,
// so a solve that fails before then leaves them as they were.
void SolveBridge::readFixedContainers(engine::PackSolution& plan) {
    core::Dialogs& dialogs = core::Dialogs::current();
    auto deficit = [&](core::Msg slot, const std::string& name) {
        dialogs.show(DialogKind::Warning,
                     core::messageText(slot) + "\r" + name + "\r" +
                         core::messageText(core::Msg::FixingOmitted),
                     DialogButton::Ok, 0);
        dm_.waitWindow().repaintNow();
    };
    const OperationFrame frame(dm_.operationView(),
                               OperationFrame::Options().controlsOff({&dm_.posit, &dm_.distr}));
    for (dm_.solut.first(); !dm_.solut.eof(); dm_.solut.next()) {
        if (!dm_.solutFixCont.asBoolean()) continue;
        checkSolutionRow(dm_.solut);
        const std::int32_t typeID = dm_.solutTypeID.asInteger();
        int c = 1;
        while (c <= p_.contCount && (p_.contTypes.typeID[p_.contInstType[c]] != typeID || plan.fixCont[c]))
            ++c;
        if (c > p_.contCount) {
            deficit(core::Msg::ContainerDeficit, dm_.solutType.asString());
            continue;
        }
        plan.fixCont[c] = true;
        const int type = p_.contInstType[c];
        for (dm_.posit.first(); !dm_.posit.eof(); dm_.posit.next()) {
            checkSolutionRow(dm_.posit);
            const std::int32_t kindID = dm_.positKindID.asInteger();
            const std::string where =
                core::messageWith(core::Msg::StoredBox, {std::to_string(dm_.positBoxNo.asInteger()),
                                                         std::to_string(dm_.solutContNo.asInteger())});
            checkPosition(type, where);
            int j = 1;
            while (j <= p_.boxCount &&
                   (p_.boxKinds.kindID[p_.boxInstKind[j]] != kindID || plan.contNo[j] != 0))
                ++j;
            if (j > p_.boxCount) {
                deficit(core::Msg::BoxDeficit, dm_.positKind.asString());
                continue;
            }
            takeStoredBox(plan, j, c);
        }
        checkNoOverlap(plan, c, dm_.solutContNo.asInteger());
    }
}

void SolveBridge::renumberFixedLoads(engine::PackSolution& plan) {
    for (int c = 1; c <= p_.contCount; ++c) {
        if (!plan.fixCont[c]) continue;
        // Stored numbers that repeat or start below 1 would never reach the
        // box count: the largest stored number bounds the walk.
        int largest = 0;
        for (int j = 1; j <= p_.boxCount; ++j)
            if (plan.contNo[j] == c) largest = std::max<int>(largest, plan.loadNo[j]);
        int gap = 0, n = 0, seen = 0;
        do {
            ++n;
            int j = 1;
            while (j <= p_.boxCount && !(plan.contNo[j] == c && plan.loadNo[j] == n)) ++j;
            if (j <= p_.boxCount) {
                plan.loadNo[j] = toI16(n - gap);
                seen = plan.loadNo[j];
            } else {
                ++gap;
                seen = 0;
            }
        } while (seen < plan.boxLoad[c] && n < largest);
        // Boxes stored without a place in the sequence (a number below 1) follow the others, in
        // instance order.
        int next = 0;
        for (int j = 1; j <= p_.boxCount; ++j)
            if (plan.contNo[j] == c && plan.loadNo[j] >= 1) next = std::max<int>(next, plan.loadNo[j]);
        for (int j = 1; j <= p_.boxCount; ++j)
            if (plan.contNo[j] == c && plan.loadNo[j] < 1) plan.loadNo[j] = toI16(++next);
    }
}

} // namespace rectix::taskdb
