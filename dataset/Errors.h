#pragma once

#include <stdexcept>
#include <string>

namespace rectix::dataset {

// Errors of the table layer. A 16-bit or 32-bit value out of range is the
// core's RangeError, and a handler's refusal is the core's SilentAbort; both
// pass through this layer unchanged.

// A failure of the database: a file that cannot be opened or read, a disk
// error, an operation that the cursor's state does not allow.
class DatabaseError : public std::runtime_error {
  public:
    explicit DatabaseError(const std::string& what) : std::runtime_error(what) {}
};

// The table set or a table file is in use by another program (or another open
// set of this one); refused at once, never waited for.
class BusyError : public DatabaseError {
  public:
    explicit BusyError(const std::string& what) : DatabaseError(what) {}
};

// A table file or the folder of a set that this program may read but not write.
class ReadOnlyError : public DatabaseError {
  public:
    explicit ReadOnlyError(const std::string& what) : DatabaseError(what) {}
};

// A row whose primary key or unique index values another row already has.
class KeyViolation : public DatabaseError {
  public:
    explicit KeyViolation(const std::string& what) : DatabaseError(what) {}
};

// A field value that the field does not accept: a required field left empty,
// a failed constraint (the message is the constraint's error text), a text
// that is not a number or date of the field's type.
class FieldError : public DatabaseError {
  public:
    FieldError(std::string field, const std::string& what) : DatabaseError(what), field_(std::move(field)) {}
    const std::string& field() const { return field_; }

  private:
    std::string field_;
};

} // namespace rectix::dataset
