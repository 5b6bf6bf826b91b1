#include "taskdb/RowRefusal.h"

#include "taskdb/ValueRanges.h"

#include "core/UiTexts.h"
#include "dataset/Cursor.h"
#include "dataset/Field.h"

namespace rectix::taskdb {

std::string rowRefusal(const dataset::Cursor& rows, std::string_view table, std::string_view library,
                       std::string* field) {
    using dataset::FieldKind;
    for (std::size_t i = 0; i < rows.fieldCount(); ++i) {
        const dataset::Field& f = rows.fieldAt(i);
        if (f.kind() == FieldKind::Calculated) continue;
        const ValueRange* r = valueRange(f.kind() == FieldKind::Lookup ? library : table, f.name());
        const dataset::Value& value = f.value();
        // A text is refused as no value of its type, not as the 0 it would count as.
        const bool number =
            value.kind() != dataset::Value::Kind::Text && value.kind() != dataset::Value::Kind::Date;
        const auto v = static_cast<double>(dataset::numericValue(value));
        const bool outside = r && number && !r->contains(v);
        if (!outside && f.holdsItsType()) continue;
        if (field) *field = f.name();
        return outside ? r->refusal(v)
                       : core::messageWith(core::Msg::NotOfItsType, {f.name(), f.displayText()});
    }
    return {};
}

std::string atStoredRow(const dataset::Cursor& rows, const std::string& field, const std::string& what) {
    std::string keys;
    for (const std::string& key : rows.tableDef().keyFields())
        keys += (keys.empty() ? "(" : ", ") + key + " " + rows.field(key).displayText();
    keys += ")";
    const std::string& table = rows.tableDef().name;
    if (field.empty()) return core::messageWith(core::Msg::StoredRow, {table, keys, what});
    return core::messageWith(core::Msg::StoredField, {table, keys, field, what});
}

} // namespace rectix::taskdb
