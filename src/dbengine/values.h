#pragma once
// Conversions between stored values and what the program reads and assigns. Dates are
// stored as ISO text so that they sort, and are read and assigned as German text:
//   date           stored 2006-07-31               as text 31.07.2006
//   date and time  stored 2006-07-31 18:05:09.250  as text 31.07.2006 18:05:09
// Both forms are written explicitly, never through the system locale.

#include <QDateTime>
#include <QVariant>

namespace klw::db {

enum class ColumnType { Integer, Real, Text, Date, DateTime, Blob, Untyped };

// The type of a column from its declared type; expressions have none and are Untyped.
ColumnType columnTypeOf(const char* declaredType);

// Reading. A null value reads as "", 0 and an invalid date and time.
QString toText(const QVariant& stored, ColumnType type);
int toInteger(const QVariant& stored, ColumnType type);
QDateTime toDateTime(const QVariant& stored, ColumnType type);

// Assigning. Each throws Error when the value does not fit the column, e.g. a date text
// "  .  .    " or "31.02.2006", or "7a" for an integer. An empty text assigns null,
// except to a text column, which gets the empty text.
QVariant fromText(const QString& text, ColumnType type);
QVariant fromInteger(int value, ColumnType type);
QVariant fromDateTime(const QDateTime& value, ColumnType type);

}  // namespace klw::db
