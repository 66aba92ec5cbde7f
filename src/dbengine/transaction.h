#pragma once
// One write transaction on a connection: everything between its start and commit() is
// stored together or not at all. It takes the write lock at once (waiting up to the
// connection's busy timeout for another program), so that what is read inside it, a next
// running number say, cannot change before the commit. Leaving the scope without commit()
// rolls everything back.

#include "dbengine/connection.h"

namespace klw::db {

class Transaction {
public:
    // Throws Error ("database is locked", ...) when the write lock cannot be had.
    explicit Transaction(Connection& connection);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    // Throws Error when the commit fails; everything is rolled back then.
    void commit();
    // False once the engine has rolled the transaction back by itself (a full disk can).
    bool active() const;

private:
    Connection& connection_;
};

}  // namespace klw::db
