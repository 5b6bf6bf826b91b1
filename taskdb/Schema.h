#pragma once

#include "dataset/TableDef.h"

#include <vector>

namespace rectix::taskdb {

// The stored layout of a table set: the eight tables conts, boxes, tasks, tc,
// tb, solut, distr and posit, their fields in stored order and their keys.
// Every set (home, export, import) has this layout; a missing table file is
// created from it.
//
// Glossary of the stored names (they keep their spelling; see CONTRIBUTING.md):
//   conts    container library: one row per container type (TypeID)
//   boxes    box library: one row per box kind (KindID)
//   tasks    one row per task (TaskID) with the optimizer settings it was solved with
//   tc       task containers: a task's use of a container type
//   tb       task boxes: a task's use of a box kind
//   solut    solution containers: one row per loaded container (ContNo)
//   distr    per-container box kinds: count of each kind in a loaded container
//   posit    box positions: one row per placed box (BoxNo, PosX, PosY, placed sides PosLh and
//            PosWh, LoadNo)
//   Avail    containers available (tc) or library quantity (conts, column "Q'ty")
//   Total    boxes to pack (tb) or library quantity (boxes)
//   Used / Placed   containers used / boxes placed by the stored solution
//   Prior    priority ("Pr"); Bind: bind group
//   LoadWt   load-weight capacity; Weight: weight of one box
//   NoseDL / TailDL   nose and tail support distances; NoseWt / TailWt: their load limits
//   FillDir  preferred fill direction: "Length", "Width" or "Either"
//   TurnOn   may be turned by 90 degrees (boxes); the task's "Horiz.TurnOn" rule (tasks)
//   DefltOn  the task's "Common Turn Rules" switch
//   Temp     temporary library row (may be cleared when no task uses it)
//   BusyID, ColorID   carried along; nothing reads them
//   Volume   displayed area (true area / area multiplier); Wolume: true area, Length x Width
//   Power, Time, Rand   intensity, time limit in seconds, random line number
//   Qw       weight factor + 100 x bind group factor; Qc: net cost factor; Qr: left items factor
//   BB / BW  item-to-item gap / item-to-edge gap; Last: ignore the last container
//   Solut    a solution is stored; Date: date of the last solution
//   ContNo, BoxNo   container and box numbers of the run that produced the solution
//   BoxLoad, WgtLoad, WolLoad, CostLoad   boxes, weight, true area and cost loaded
//   NoseLoad / TailLoad   support loads; FixCont: container fixed by the user for the next solve
//   LoadNo   loading order of a box in its container
std::vector<dataset::TableDef> schema();

} // namespace rectix::taskdb
