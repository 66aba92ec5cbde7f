#include "dbengine/error.h"

#include <sqlite3.h>

namespace klw::db {

namespace {

Error::Kind kindOf(int code)
{
    switch (code) {
    case SQLITE_BUSY_SNAPSHOT:
        return Error::Kind::StaleSnapshot;
    case SQLITE_READONLY_DBMOVED:
        return Error::Kind::FileGone;
    default:
        break;
    }
    switch (code & 0xff) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return Error::Kind::Busy;
    case SQLITE_FULL:
        return Error::Kind::DiskFull;
    case SQLITE_READONLY:
    case SQLITE_PERM:
        return Error::Kind::ReadOnly;
    default:
        return Error::Kind::Other;
    }
}

int codeOf(Error::Kind kind)
{
    switch (kind) {
    case Error::Kind::StaleSnapshot:
        return SQLITE_BUSY_SNAPSHOT;
    case Error::Kind::Busy:
        return SQLITE_BUSY;
    case Error::Kind::DiskFull:
        return SQLITE_FULL;
    case Error::Kind::ReadOnly:
        return SQLITE_READONLY;
    case Error::Kind::FileGone:
        return SQLITE_READONLY_DBMOVED;
    case Error::Kind::Other:
        break;
    }
    return SQLITE_ERROR;
}

}  // namespace

Error::Error(const QString& message, int code)
    : std::runtime_error(message.toStdString()), code_(code), kind_(kindOf(code))
{}

Error::Error(const QString& message, Kind kind)
    : std::runtime_error(message.toStdString()), code_(codeOf(kind)), kind_(kind)
{}

void throwLastError(sqlite3* db)
{
    throw Error(QString::fromUtf8(sqlite3_errmsg(db)), sqlite3_extended_errcode(db));
}

}  // namespace klw::db
