#include "dataset/Transaction.h"

#include "dataset/Errors.h"
#include "dataset/TableSet.h"

#include <sqlite3.h>

namespace rectix::dataset {

Transaction::Transaction(TableSet& set) : set_(set) {
    set_.requireOpen("Starting a transaction");
    name_ = "rectix_tx" + std::to_string(set_.txDepth_ + 1);
    set_.conn_.exec("SAVEPOINT " + name_, set_.context());
    ++set_.txDepth_;
}

Transaction::~Transaction() {
    if (!done_) rollback();
}

void Transaction::commit() {
    if (done_) throw DatabaseError("The transaction has ended already");
    // After an I/O error (a full disk) SQLite may have rolled the whole transaction back itself:
    // there is nothing left to keep, and saying so beats "no such savepoint".
    if (sqlite3_get_autocommit(set_.conn_.handle()))
        throw DatabaseError(set_.context() + ": the change was undone after a write error");
    set_.conn_.exec("RELEASE " + name_, set_.context());
    done_ = true;
    --set_.txDepth_;
}

void Transaction::rollback() noexcept {
    done_ = true;
    --set_.txDepth_;
    if (!set_.isOpen()) return;
    sqlite3* db = set_.conn_.handle();
    // SQLite may have rolled the whole transaction back itself after an I/O
    // error; then there is nothing left to undo.
    if (!sqlite3_get_autocommit(db)) {
        const std::string sql = "ROLLBACK TO " + name_ + "; RELEASE " + name_;
        sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr);
    }
    set_.bumpAll();
}

} // namespace rectix::dataset
