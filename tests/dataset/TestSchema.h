#pragma once

#include "dataset/TableDef.h"

#include <vector>

namespace rectix::dataset::test {

// A small made-up schema: a library of parts, owners, and the parts each
// owner holds (a detail of owners, looking its parts up in the library).
inline std::vector<TableDef> testSchema() {
    TableDef parts{"parts",
                   {{"PartID", FieldType::AutoInc},
                    {"Name", FieldType::String, 10},
                    {"Len", FieldType::Int16},
                    {"Wid", FieldType::Int16},
                    {"Dir", FieldType::String, 6},
                    {"Turn", FieldType::Boolean},
                    {"Made", FieldType::Date},
                    {"Price", FieldType::Double},
                    {"Stock", FieldType::Int32}},
                   {},
                   {{"Name_ind", {"Name"}}}};
    TableDef owners{"owners", {{"OwnerID", FieldType::AutoInc}, {"Title", FieldType::String, 25}}, {}, {}};
    TableDef holds{"holds",
                   {{"OwnerID", FieldType::Int32},
                    {"PartID", FieldType::Int32},
                    {"Qty", FieldType::Int16},
                    {"Cost", FieldType::Double}},
                   {"OwnerID", "PartID"},
                   {}};
    return {parts, owners, holds};
}

} // namespace rectix::dataset::test
