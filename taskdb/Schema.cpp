#include "taskdb/Schema.h"

namespace rectix::taskdb {

using dataset::FieldType;
using dataset::TableDef;

namespace {

constexpr auto AutoInc = FieldType::AutoInc;
constexpr auto I16 = FieldType::Int16;
constexpr auto I32 = FieldType::Int32;
constexpr auto dbl = FieldType::Double;
constexpr auto boolean = FieldType::Boolean;
constexpr auto Date = FieldType::Date;
constexpr auto str = FieldType::String;

// The container library. TypeID numbers rows and is never reused.
TableDef conts() {
    return {"conts",
            {{"TypeID", AutoInc},
             {"Type", str, 25},
             {"Mark", str, 3},
             {"Length", I16},
             {"Width", I16},
             {"LoadWt", I32},
             {"FillDir", str, 6},
             {"Temp", boolean},
             {"TaskID", I32},
             {"Descr", str, 75},
             {"Avail", I16},
             {"BusyID", I32},
             {"Cost", dbl},
             {"NoseWt", I32},
             {"TailWt", I32},
             {"NoseDL", I16},
             {"TailDL", I16}},
            {},
            {{"Type_ind", {"Type"}}}};
}

// The box library. KindID numbers rows and is never reused.
TableDef boxes() {
    return {"boxes",
            {{"KindID", AutoInc},
             {"Kind", str, 25},
             {"Mark", str, 2},
             {"Length", I16},
             {"Width", I16},
             {"Weight", I16},
             {"TurnOn", boolean},
             {"Temp", boolean},
             {"TaskID", I32},
             {"ColorID", I32},
             {"Descr", str, 75},
             {"Total", I16},
             {"BusyID", I32},
             {"Cost", dbl}},
            {},
            {{"Kind_Ind", {"Kind"}}}};
}

TableDef tasks() {
    return {"tasks",
            {{"TaskID", AutoInc},
             {"Name", str, 25},
             {"Solut", boolean},
             {"Descr", str, 75},
             {"TurnOn", boolean},
             {"DefltOn", boolean},
             {"Power", I16},
             {"Time", I16},
             {"Rand", I16},
             {"Qw", I16},
             {"Qc", I16},
             {"Qr", I16},
             {"BB", I16},
             {"BW", I16},
             {"Last", boolean},
             {"Date", Date}},
            {},
            {}};
}

// A task's rows are kept in key order: the solve bridge numbers the container
// types and box kinds by it.
TableDef tc() {
    return {"tc",
            {{"TaskID", I32}, {"TypeID", I32}, {"Avail", I16}, {"Used", I16}, {"Prior", I16}, {"Cost", dbl}},
            {"TaskID", "TypeID"},
            {}};
}

TableDef tb() {
    return {"tb",
            {{"TaskID", I32},
             {"KindID", I32},
             {"Total", I16},
             {"Placed", I16},
             {"Prior", I16},
             {"Bind", I16},
             {"Cost", dbl}},
            {"TaskID", "KindID"},
            {}};
}

TableDef solut() {
    return {"solut",
            {{"TaskID", I32},
             {"ContNo", I16},
             {"TypeID", I32},
             {"BoxLoad", I16},
             {"WgtLoad", I32},
             {"WolLoad", dbl},
             {"FixCont", boolean},
             {"CostLoad", dbl},
             {"NoseLoad", I32},
             {"TailLoad", I32}},
            {"TaskID", "ContNo"},
            {}};
}

TableDef distr() {
    return {"distr",
            {{"TaskID", I32}, {"ContNo", I16}, {"KindID", I32}, {"Placed", I16}},
            {"TaskID", "ContNo", "KindID"},
            {}};
}

// Box numbers are unique within a task's solution.
TableDef posit() {
    return {"posit",
            {{"TaskID", I32},
             {"ContNo", I16},
             {"BoxNo", I16},
             {"KindID", I32},
             {"PosX", I16},
             {"PosY", I16},
             {"PosLh", I16},
             {"PosWh", I16},
             {"LoadNo", I16}},
            {"TaskID", "ContNo", "BoxNo"},
            {}};
}

} // namespace

std::vector<TableDef> schema() {
    return {conts(), boxes(), tasks(), tc(), tb(), solut(), distr(), posit()};
}

} // namespace rectix::taskdb
