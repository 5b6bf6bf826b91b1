#pragma once

#include "dataset/TableDef.h"

#include <vector>

namespace rectix::taskdb {

// The stored layout of a table set: the eight tables conts, boxes, tasks, tc,
// tb, solut, distr and posit, their fields in stored order and their keys.
// Every set (home, export, import) has this layout; a missing table file is
// created from it.
std::vector<dataset::TableDef> schema();

} // namespace rectix::taskdb
