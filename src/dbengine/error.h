#pragma once
// Every failure of the database engine is reported as klw::db::Error, carrying SQLite's
// message (or one of ours in the same style, e.g. "no such column: X").

#include <QString>
#include <stdexcept>

struct sqlite3;

namespace klw::db {

class Error : public std::runtime_error {
public:
    Error(const QString& message, int code);
    // The SQLite result code (SQLITE_ERROR for failures found by this engine itself).
    int code() const { return code_; }

private:
    int code_;
};

// Throws the connection's last error with SQLite's message.
[[noreturn]] void throwLastError(sqlite3* db);

}  // namespace klw::db
