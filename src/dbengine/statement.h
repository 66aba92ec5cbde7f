#pragma once
// A prepared SQLite statement that finalizes itself, with value binding and reading.

#include <QVariant>
#include <memory>

struct sqlite3;
struct sqlite3_stmt;

namespace klw::db {

class PreparedStatement {
public:
    // Prepares exactly one statement; anything after it but blanks and ';' is an error,
    // so that no text can smuggle a second statement in.
    PreparedStatement(sqlite3* db, const QString& sql);

    sqlite3_stmt* get() const { return stmt_.get(); }
    // Binds parameter 1, 2, ... by position.
    void bind(int position, const QVariant& value);
    // Steps once: true while a row is available, false when done; throws on failure.
    bool step();
    // The value of column i of the current row: null, qint64, double, QString or QByteArray.
    QVariant column(int i) const;

private:
    struct Finalize {
        void operator()(sqlite3_stmt* s) const;
    };
    sqlite3* db_;
    std::unique_ptr<sqlite3_stmt, Finalize> stmt_;
};

}  // namespace klw::db
