#pragma once
// The one connection to the database file. It opens an existing file only: a missing file
// is an error and never silently becomes a new empty database.

#include <QHash>
#include <QString>
#include <memory>

#include "dbengine/statement.h"

struct sqlite3;

namespace klw::db {

class Connection {
public:
    Connection() = default;
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // Opens the file for reading and writing. Throws Error when the file is missing, is no
    // database, or cannot be written (every save would otherwise fail unseen).
    // Every commit is synced to the disk before it returns (synchronous FULL) and goes
    // through the write-ahead log, so that a stored row survives a crash or a power loss
    // and a program that only reads the file never keeps a save waiting.
    void open(const QString& fileName);
    void close();
    bool isOpen() const { return db_ != nullptr; }
    const QString& fileName() const { return fileName_; }

    // Runs SQL text that returns no rows; several statements separated by ';' are allowed
    // here (schema scripts, transactions). Throws Error on failure.
    void execute(const QString& sql);

    // How long a statement waits for another program's lock on the file before it fails
    // with "database is locked". Applies to the open connection and to later opens.
    void setBusyTimeout(int milliseconds);
    int busyTimeout() const { return busyTimeoutMs_; }

    // Throws Error of kind FileGone when the file name no longer leads to the file that was
    // opened (deleted, or replaced by another file): whatever was written now would be lost
    // with the open file. Every write of the datasets and transactions asks this first.
    void checkFileUnchanged() const;

    // A statement prepared once and kept for the next run of the same text (a save prepares
    // the same wide insert every time). The handle is the statement's only user while it
    // lives, and resets it when it goes, so that no statement stays half-read between two
    // calls. Throws Error as PreparedStatement does.
    class Cached {
    public:
        Cached(PreparedStatement* statement, std::unique_ptr<PreparedStatement> own, bool* inUse);
        Cached(Cached&& other) noexcept;
        Cached(const Cached&) = delete;
        Cached& operator=(const Cached&) = delete;
        ~Cached();
        PreparedStatement& operator*() const { return *statement_; }
        PreparedStatement* operator->() const { return statement_; }
        PreparedStatement* get() const { return statement_; }
        // What its user learnt about the statement (its columns, say), kept with it.
        std::shared_ptr<void>& note() const { return *note_; }

    private:
        friend class Connection;
        PreparedStatement* statement_;
        std::unique_ptr<PreparedStatement> own_;  // when the kept one is busy
        bool* inUse_;
        std::shared_ptr<void>* note_ = nullptr;
        std::unique_ptr<std::shared_ptr<void>> ownNote_;
    };
    Cached prepare(const QString& sql);

    // The raw handle for the datasets; null while closed.
    sqlite3* handle() const { return db_; }

private:
    sqlite3* db_ = nullptr;
    QString fileName_;
    int busyTimeoutMs_ = 5000;
    struct Kept {
        std::unique_ptr<PreparedStatement> statement;
        bool inUse = false;
        std::shared_ptr<void> note;
    };
    QHash<QString, std::shared_ptr<Kept>> kept_;
    // The opened file's identity on the disk.
    unsigned long long device_ = 0;
    unsigned long long inode_ = 0;
};

}  // namespace klw::db
