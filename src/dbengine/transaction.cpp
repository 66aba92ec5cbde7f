#include "dbengine/transaction.h"

#include <sqlite3.h>

namespace klw::db {

Transaction::Transaction(Connection& connection) : connection_(connection)
{
    connection_.checkFileUnchanged();
    connection_.execute(QStringLiteral("begin immediate"));
}

Transaction::~Transaction()
{
    // A commit that failed can leave the transaction open; it is rolled back here too.
    if (connection_.handle() && !sqlite3_get_autocommit(connection_.handle()))
        sqlite3_exec(connection_.handle(), "rollback", nullptr, nullptr, nullptr);
}

void Transaction::commit()
{
    connection_.checkFileUnchanged();
    connection_.execute(QStringLiteral("commit"));
}

}  // namespace klw::db

namespace klw::db {

bool Transaction::active() const
{
    return connection_.handle() && !sqlite3_get_autocommit(connection_.handle());
}

}  // namespace klw::db
