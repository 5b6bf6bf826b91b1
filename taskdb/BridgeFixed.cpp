// The solve bridge: the containers the user fixed in the stored solution.
#include "taskdb/SolveBridge.h"

#include "core/Dialogs.h"

#include "taskdb/DataModule.h"
#include "taskdb/OperationFrame.h"

#include "core/Checked.h"
#include "core/UiTexts.h"

#include <algorithm>
#include <limits>
#include <utility>
#include <vector>

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
    std::set<std::int32_t> containers;
    for (dm_.solut.first(); !dm_.solut.eof(); dm_.solut.next()) {
        checkSolutionRow(dm_.solut);
        containers.insert(dm_.solutContNo.asInteger());
        if (!dm_.solutFixCont.asBoolean()) continue;
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
            // Also a box turned against turn rules changed since it was fixed: the plan written
            // would not pass a reload.
            checkSides(p_.boxInstKind[j], where);
            takeStoredBox(plan, j, c);
        }
        checkNoOverlap(plan, c, dm_.solutContNo.asInteger());
        // LoadWt lowered since the container was fixed: the plan written would not pass a reload.
        checkCapacity(plan, c, dm_.solutContNo.asInteger());
    }
    checkNoStrayPositions(containers);
}

// The k-th box of a fixed container in stored order gets the number k: the gaps that dropped boxes
// left close up. Stored numbers that repeat or lie below 1 (rows of another program) would leave
// numbers twice or none: repeated ones follow each other in instance order, and boxes without a
// place in the sequence follow all others.
void SolveBridge::renumberFixedLoads(engine::PackSolution& plan) {
    for (int c = 1; c <= p_.contCount; ++c) {
        if (!plan.fixCont[c]) continue;
        std::vector<int> boxes;
        for (int j = 1; j <= p_.boxCount; ++j)
            if (plan.contNo[j] == c) boxes.push_back(j);
        const auto order = [&plan](int j) {
            return std::pair(plan.loadNo[j] < 1 ? std::numeric_limits<int>::max() : plan.loadNo[j], j);
        };
        std::sort(boxes.begin(), boxes.end(), [&](int a, int b) { return order(a) < order(b); });
        for (std::size_t k = 0; k < boxes.size(); ++k) plan.loadNo[boxes[k]] = toI16(k + 1);
    }
}

} // namespace rectix::taskdb
