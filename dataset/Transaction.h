#pragma once

#include <string>

namespace rectix::dataset {

class TableSet;

// One change over several tables of an open set, done as a whole: commit()
// makes it durable; leaving the scope without commit() (an exception passing
// through) rolls every table back. Scopes nest; an inner one rolls back only
// its own part.
//
// A transaction ends before its set closes (closing is refused while one is
// open). After a rollback the set's cursors read their rows again at their next move;
// a cursor's current row keeps the values it showed until then (Refresh shows
// the rolled-back state at once).
class Transaction {
  public:
    explicit Transaction(TableSet& set);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    // A failed commit throws and leaves the scope to roll back.
    void commit();

  private:
    void rollback() noexcept;

    TableSet& set_;
    std::string name_;
    bool done_ = false;
};

} // namespace rectix::dataset
