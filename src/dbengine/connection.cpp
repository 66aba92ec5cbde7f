#include "dbengine/connection.h"

#include <QFile>
#include <sqlite3.h>
#include <sys/stat.h>

#include "dbengine/error.h"

namespace klw::db {

Connection::~Connection()
{
    close();
}

void Connection::open(const QString& fileName)
{
    close();
    sqlite3* db = nullptr;
    const int rc = sqlite3_open_v2(fileName.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
    if (rc != SQLITE_OK) {
        const QString message = db ? QString::fromUtf8(sqlite3_errmsg(db)) : QString::fromUtf8(sqlite3_errstr(rc));
        sqlite3_close(db);
        throw Error(message + QStringLiteral(": ") + fileName, rc);
    }
    sqlite3_extended_result_codes(db, 1);
    // A second program on the same file may hold a lock for a moment.
    sqlite3_busy_timeout(db, busyTimeoutMs_);

    // Opening reads nothing yet; reading the schema shows at once whether this is a database.
    char* error = nullptr;
    if (sqlite3_exec(db, "select count(*) from sqlite_schema", nullptr, nullptr, &error) != SQLITE_OK) {
        const QString message = QString::fromUtf8(error ? error : sqlite3_errmsg(db));
        const int code = sqlite3_extended_errcode(db);
        sqlite3_free(error);
        sqlite3_close(db);
        throw Error(message + QStringLiteral(": ") + fileName, code);
    }
    // A write-protected file is opened for reading only; the program must write to it.
    if (sqlite3_db_readonly(db, "main") == 1) {
        sqlite3_close(db);
        throw Error(QString::fromUtf8(sqlite3_errstr(SQLITE_READONLY)) + QStringLiteral(": ") + fileName,
                    SQLITE_READONLY);
    }
    // The write-ahead log is kept in the file once set. Where it cannot be used (a folder
    // that takes no side files) the file keeps its rollback journal, which is as safe.
    sqlite3_exec(db, "pragma journal_mode = wal", nullptr, nullptr, nullptr);
    if (sqlite3_exec(db, "pragma synchronous = full", nullptr, nullptr, &error) != SQLITE_OK) {
        const QString message = QString::fromUtf8(error ? error : sqlite3_errmsg(db));
        sqlite3_free(error);
        sqlite3_close(db);
        throw Error(message + QStringLiteral(": ") + fileName, SQLITE_ERROR);
    }
    // Room for the whole member table of a large league in memory (64 MiB at most, taken as
    // pages are read): a search that scans the surname order then reads no page twice from
    // the disk.
    sqlite3_exec(db, "pragma cache_size = -65536", nullptr, nullptr, nullptr);
    struct stat st {};
    if (::stat(QFile::encodeName(fileName).constData(), &st) != 0) {
        sqlite3_close(db);
        throw Error(QStringLiteral("database file is gone: ") + fileName, Error::Kind::FileGone);
    }
    device_ = st.st_dev;
    inode_ = st.st_ino;
    db_ = db;
    fileName_ = fileName;
}

void Connection::checkFileUnchanged() const
{
    if (!db_)
        return;
    struct stat st {};
    if (::stat(QFile::encodeName(fileName_).constData(), &st) != 0 || st.st_dev != device_ || st.st_ino != inode_)
        throw Error(QStringLiteral("database file was deleted or replaced: ") + fileName_, Error::Kind::FileGone);
}

void Connection::setBusyTimeout(int milliseconds)
{
    busyTimeoutMs_ = milliseconds;
    if (db_)
        sqlite3_busy_timeout(db_, milliseconds);
}

void Connection::close()
{
    if (db_) {
        sqlite3_close_v2(db_);
        db_ = nullptr;
    }
}

void Connection::execute(const QString& sql)
{
    if (!db_)
        throw Error(QStringLiteral("database is not open"), SQLITE_MISUSE);
    char* error = nullptr;
    if (sqlite3_exec(db_, sql.toUtf8().constData(), nullptr, nullptr, &error) != SQLITE_OK) {
        const QString message = QString::fromUtf8(error ? error : sqlite3_errmsg(db_));
        sqlite3_free(error);
        throw Error(message, sqlite3_extended_errcode(db_));
    }
}

}  // namespace klw::db
