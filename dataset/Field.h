#pragma once

#include "dataset/TableDef.h"
#include "dataset/Value.h"

#include "core/TextSlots.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace rectix::dataset {

class Cursor;

enum class FieldKind {
    Stored,    // a column of the table file
    Lookup,    // read through a key from another cursor
    Calculated // filled by the cursor's OnCalcFields handler
};

// A lookup field: the value of `resultField` (stored, lookup or calculated)
// of the `source` row whose `sourceKeyFields` equal this row's `keyFields`.
struct LookupDef {
    std::string name;
    FieldType type = FieldType::Int32;
    int size = 0;
    std::vector<std::string> keyFields; // stored fields of this cursor
    Cursor* source = nullptr;           // must outlive the cursor that looks up
    std::vector<std::string> sourceKeyFields;
    std::string resultField;
};

// One field of a cursor: its definition, its display settings and its value
// in the cursor's current record.
//
// Assigning a value (any set... call, by a user or by code) needs the cursor in
// edit or insert state, or a calculated field inside OnCalcFields. The value is
// converted to the field's type: an integer outside the field's 16-bit or
// 32-bit range is a core RangeError, a text that is no number, Boolean or date
// of the type is a FieldError, an empty text is null, a text longer than a
// String field's size is cut to the size. OnValidate then runs with the new
// value in place; when it throws (SilentAbort to refuse), the old value is back.
// Assigning a lookup field finds the source row whose result field has the
// value and assigns its key to this cursor's key fields (their OnValidate runs).
class Field {
  public:
    using Validator = std::function<void(Field&)>;
    using Constraint = std::function<bool(const Value&)>;

    Field(Cursor& owner, std::string name, FieldType type, int size, FieldKind kind, std::size_t slot);
    Field(const Field&) = delete;
    Field& operator=(const Field&) = delete;

    const std::string& name() const { return name_; }
    FieldType type() const { return type_; }
    int size() const { return size_; }
    FieldKind kind() const { return kind_; }
    Cursor& cursor() const { return owner_; }
    const LookupDef* lookup() const { return lookup_.source ? &lookup_ : nullptr; }

    // Checked on post: a required field must not be null.
    bool required() const { return required_; }
    void setRequired(bool on) { required_ = on; }
    // Auto-increment fields are always read-only.
    bool readOnly() const { return readOnly_ || type_ == FieldType::AutoInc; }
    void setReadOnly(bool on) { readOnly_ = on; }
    int displayWidth() const { return displayWidth_; }
    void setDisplayWidth(int chars) { displayWidth_ = chars; }
    // A number pattern of core::NumberFormat::pattern ("0.##", "0.00").
    const std::string& displayFormat() const { return displayFormat_; }
    void setDisplayFormat(std::string format) { displayFormat_ = std::move(format); }
    // The column title; the field name until set.
    const std::string& label() const { return label_.empty() ? name_ : label_; }
    void setLabel(std::string label) { label_ = std::move(label); }
    // Checked on post for a non-null value; a failure is a FieldError whose
    // message is `errorText`.
    void setConstraint(Constraint test, std::string errorText);
    bool meetsConstraint(const Value& v) const { return !constraint_ || v.isNull() || constraint_(v); }
    const std::string& constraintText() const { return constraintText_; }

    // Runs whenever a value is assigned; may refuse by throwing.
    Validator onValidate;

    const Value& value() const;
    // Whether the value is of the field's type and fits it (null does); a row
    // written by another program can hold, say, 2.5 in an integer field, or an
    // infinity in a number field.
    bool holdsItsType() const;
    bool isNull() const { return value().isNull(); }
    // Readers give 0, false, "" or an invalid date for null; a value that
    // cannot be read as the asked type is a FieldError. asString is the stored
    // form: numbers with a point, dates in ISO form, whatever the locale.
    std::int32_t asInteger() const;
    double asFloat() const;
    bool asBoolean() const;
    std::string asString() const;
    CalendarDate asDate() const;
    // The text a person sees: numbers in the regional form of core::NumberFormat,
    // through displayFormat when set.
    std::string displayText() const { return displayText(value()); }
    std::string displayText(const Value& v) const;

    void setValue(const Value& v);
    void setInteger(std::int64_t v) { setValue(Value(v)); }
    void setFloat(double v) { setValue(Value(v)); }
    void setBoolean(bool v) { setValue(Value(v)); }
    void setString(std::string_view v) { setValue(Value(v)); }
    void setDate(CalendarDate v) { setValue(Value(v)); }
    void clear() { setValue(Value()); }
    // Asks the cursor's views to bring this field before the user; a rule that
    // refuses the record for this field's value calls it before its message.
    void focusControl();

    // `v` in the stored form of this field's type (see the class comment).
    Value convert(const Value& v) const;
    // Stored fields: the table column; others: the place among the cursor's
    // lookup and calculated values.
    std::size_t slot() const { return slot_; }

  private:
    friend class Cursor;

    [[noreturn]] void badValue(const Value& v, core::Msg refusal) const;

    Cursor& owner_;
    std::string name_;
    FieldType type_;
    int size_;
    FieldKind kind_;
    std::size_t slot_;
    bool required_ = false;
    bool readOnly_ = false;
    int displayWidth_ = 0;
    std::string displayFormat_;
    std::string label_;
    Constraint constraint_;
    std::string constraintText_;
    LookupDef lookup_;
    // The lookup resolved when the field is added.
    std::vector<std::size_t> lookupKeyCols_;
    std::vector<std::size_t> lookupSourceCols_;
    const Field* lookupResult_ = nullptr;
};

} // namespace rectix::dataset
