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
    kept_.clear();
    if (db_) {
        sqlite3_close_v2(db_);
        db_ = nullptr;
    }
}

Connection::Cached::Cached(PreparedStatement* statement, std::unique_ptr<PreparedStatement> own, bool* inUse)
    : statement_(own ? own.get() : statement), own_(std::move(own)), inUse_(inUse)
{
    if (own_) {
        ownNote_ = std::make_unique<std::shared_ptr<void>>();
        note_ = ownNote_.get();
    }
}

Connection::Cached::Cached(Cached&& other) noexcept
    : statement_(other.statement_),
      own_(std::move(other.own_)),
      inUse_(other.inUse_),
      note_(other.note_),
      ownNote_(std::move(other.ownNote_))
{
    other.statement_ = nullptr;
    other.inUse_ = nullptr;
}

Connection::Cached::~Cached()
{
    if (statement_ && !own_) {
        sqlite3_reset(statement_->get());
        sqlite3_clear_bindings(statement_->get());
    }
    if (inUse_)
        *inUse_ = false;
}

Connection::Cached Connection::prepare(const QString& sql)
{
    constexpr qsizetype kMostKept = 64;
    auto found = kept_.find(sql);
    if (found != kept_.end()) {
        Kept& k = **found;
        if (k.inUse)  // run inside its own run: a statement of its own
            return Cached(nullptr, std::make_unique<PreparedStatement>(db_, sql), nullptr);
        k.inUse = true;
        Cached c(k.statement.get(), nullptr, &k.inUse);
        c.note_ = &k.note;
        return c;
    }
    auto statement = std::make_unique<PreparedStatement>(db_, sql);
    if (kept_.size() >= kMostKept) {
        for (auto it = kept_.begin(); it != kept_.end();)
            it = (*it)->inUse ? std::next(it) : kept_.erase(it);
    }
    auto k = std::make_shared<Kept>();
    k->statement = std::move(statement);
    k->inUse = true;
    kept_.insert(sql, k);
    Cached c(k->statement.get(), nullptr, &k->inUse);
    c.note_ = &k->note;
    return c;
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
