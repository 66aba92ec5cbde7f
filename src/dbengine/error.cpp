#include "dbengine/error.h"

#include <sqlite3.h>

namespace klw::db {

Error::Error(const QString& message, int code) : std::runtime_error(message.toStdString()), code_(code) {}

void throwLastError(sqlite3* db)
{
    throw Error(QString::fromUtf8(sqlite3_errmsg(db)), sqlite3_extended_errcode(db));
}

}  // namespace klw::db
