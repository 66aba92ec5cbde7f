#include "dbengine/statement.h"

#include <sqlite3.h>

#include "dbengine/error.h"

namespace klw::db {

void PreparedStatement::Finalize::operator()(sqlite3_stmt* s) const
{
    sqlite3_finalize(s);
}

PreparedStatement::PreparedStatement(sqlite3* db, const QString& sql) : db_(db)
{
    if (!db)
        throw Error(QStringLiteral("database is not open"), SQLITE_MISUSE);
    const QByteArray text = sql.toUtf8();
    sqlite3_stmt* raw = nullptr;
    const char* tail = nullptr;
    if (sqlite3_prepare_v2(db, text.constData(), int(text.size()), &raw, &tail) != SQLITE_OK)
        throwLastError(db);
    stmt_.reset(raw);
    if (!raw)
        throw Error(QStringLiteral("no statement to run"), SQLITE_MISUSE);
    for (const char* p = tail; p && *p; ++p) {
        if (*p != ';' && *p != ' ' && *p != '\t' && *p != '\r' && *p != '\n')
            throw Error(QStringLiteral("only one statement can be run at a time"), SQLITE_MISUSE);
    }
}

void PreparedStatement::bind(int position, const QVariant& value)
{
    sqlite3_stmt* s = stmt_.get();
    int rc;
    switch (value.typeId()) {
    case QMetaType::UnknownType:
        rc = sqlite3_bind_null(s, position);
        break;
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::Bool:
        rc = sqlite3_bind_int64(s, position, value.toLongLong());
        break;
    case QMetaType::Double:
        rc = sqlite3_bind_double(s, position, value.toDouble());
        break;
    case QMetaType::QByteArray: {
        const QByteArray bytes = value.toByteArray();
        rc = sqlite3_bind_blob64(s, position, bytes.constData(), sqlite3_uint64(bytes.size()), SQLITE_TRANSIENT);
        break;
    }
    default: {
        const QByteArray text = value.toString().toUtf8();
        rc = sqlite3_bind_text64(s, position, text.constData(), sqlite3_uint64(text.size()), SQLITE_TRANSIENT,
                                 SQLITE_UTF8);
        break;
    }
    }
    if (rc != SQLITE_OK)
        throwLastError(db_);
}

bool PreparedStatement::step()
{
    const int rc = sqlite3_step(stmt_.get());
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    throwLastError(db_);
}

QVariant PreparedStatement::column(int i) const
{
    sqlite3_stmt* s = stmt_.get();
    switch (sqlite3_column_type(s, i)) {
    case SQLITE_INTEGER:
        return QVariant(qint64(sqlite3_column_int64(s, i)));
    case SQLITE_FLOAT:
        return QVariant(sqlite3_column_double(s, i));
    case SQLITE_TEXT: {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(s, i));
        return QVariant(QString::fromUtf8(text, sqlite3_column_bytes(s, i)));
    }
    case SQLITE_BLOB: {
        const auto* data = static_cast<const char*>(sqlite3_column_blob(s, i));
        return QVariant(QByteArray(data, sqlite3_column_bytes(s, i)));
    }
    default:
        return QVariant();
    }
}

}  // namespace klw::db
