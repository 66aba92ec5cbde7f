#pragma once
// The one connection to the database file. It opens an existing file only: a missing file
// is an error and never silently becomes a new empty database.

#include <QString>

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
    void open(const QString& fileName);
    void close();
    bool isOpen() const { return db_ != nullptr; }
    const QString& fileName() const { return fileName_; }

    // Runs SQL text that returns no rows; several statements separated by ';' are allowed
    // here (schema scripts, transactions). Throws Error on failure.
    void execute(const QString& sql);

    // The raw handle for the datasets; null while closed.
    sqlite3* handle() const { return db_; }

private:
    sqlite3* db_ = nullptr;
    QString fileName_;
};

}  // namespace klw::db
