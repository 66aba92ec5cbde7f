#pragma once
// Every failure of the database engine is reported as klw::db::Error, carrying SQLite's
// message (or one of ours in the same style, e.g. "no such column: X") and what kind of
// failure it is, so that the program can tell the user why without knowing SQLite.

#include <QString>
#include <stdexcept>

struct sqlite3;

namespace klw::db {

class Error : public std::runtime_error {
public:
    // Why a statement failed, as far as the user can do something about it.
    enum class Kind {
        Other,
        StaleSnapshot,  // this connection still read an older state of a file another program wrote since
        Busy,  // another program holds the file's lock longer than the busy timeout
        DiskFull,  // no room left on the disk (or the file at its size limit)
        ReadOnly,  // the file or its folder cannot be written
        FileGone,  // the open file was deleted or replaced by another one
    };

    Error(const QString& message, int code);
    Error(const QString& message, Kind kind);
    // The SQLite result code (SQLITE_ERROR for failures found by this engine itself).
    int code() const { return code_; }
    Kind kind() const { return kind_; }

private:
    int code_;
    Kind kind_;
};

// Throws the connection's last error with SQLite's message.
[[noreturn]] void throwLastError(sqlite3* db);

}  // namespace klw::db
