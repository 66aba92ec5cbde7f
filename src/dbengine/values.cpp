#include "dbengine/values.h"

#include <QRegularExpression>
#include <limits>
#include <sqlite3.h>

#include "dbengine/error.h"

namespace klw::db {

namespace {

const QString kIsoDate = QStringLiteral("yyyy-MM-dd");
const QString kGermanDate = QStringLiteral("dd.MM.yyyy");

[[noreturn]] void fail(const QString& message)
{
    throw Error(message, SQLITE_MISMATCH);
}

// Date and time kept apart, so that a wall-clock time that the local time zone skips
// (the hour of the change to summer time) is still stored and read as written.
struct Moment {
    QDate date;
    QTime time;
    bool isValid() const { return date.isValid() && time.isValid(); }
};

// "31.07.2006", also "1.8.2006" and the blanks that a masked date field leaves in its
// optional digits (" 1.08.2006"); optionally followed by "HH:MM", "HH:MM:SS" or
// "HH:MM:SS.zzz" when times are accepted.
Moment parseGerman(const QString& text, bool withTime)
{
    static const QRegularExpression form(QStringLiteral(
        R"(^\s*(\d{1,2})\s*\.\s*(\d{1,2})\s*\.\s*(\d{4})(?:\s+(\d{1,2}):(\d{2})(?::(\d{2})(?:\.(\d{1,3}))?)?)?\s*$)"));
    const QRegularExpressionMatch m = form.match(text);
    if (!m.hasMatch() || (!withTime && m.hasCaptured(4)))
        return {};
    const QDate date(m.captured(3).toInt(), m.captured(2).toInt(), m.captured(1).toInt());
    QTime time(0, 0);
    if (m.hasCaptured(4)) {
        const int ms = m.hasCaptured(7) ? m.captured(7).leftJustified(3, QLatin1Char('0')).toInt() : 0;
        time = QTime(m.captured(4).toInt(), m.captured(5).toInt(), m.captured(6).toInt(), ms);
    }
    return {date, time};
}

Moment parseIso(const QString& text)
{
    const QDate date = QDate::fromString(text.left(10), kIsoDate);
    if (text.size() == 10)
        return {date, QTime(0, 0)};
    if (text.size() < 19 || text[10] != QLatin1Char(' '))
        return {};
    const QString rest = text.mid(11);
    return {date,
            QTime::fromString(rest, rest.size() == 8 ? QStringLiteral("HH:mm:ss") : QStringLiteral("HH:mm:ss.zzz"))};
}

QString formatted(const Moment& m, ColumnType type, bool german)
{
    if (type == ColumnType::Date)
        return m.date.toString(german ? kGermanDate : kIsoDate);
    return m.date.toString(german ? kGermanDate : kIsoDate) + QLatin1Char(' ') +
           m.time.toString(german ? QStringLiteral("HH:mm:ss") : QStringLiteral("HH:mm:ss.zzz"));
}

bool isDateType(ColumnType type)
{
    return type == ColumnType::Date || type == ColumnType::DateTime;
}

}  // namespace

ColumnType columnTypeOf(const char* declaredType)
{
    if (!declaredType)
        return ColumnType::Untyped;
    const QString t = QString::fromUtf8(declaredType).toUpper();
    if (t.contains(QLatin1String("INT")))
        return ColumnType::Integer;
    if (t.contains(QLatin1String("DATETIME")) || t.contains(QLatin1String("TIMESTAMP")))
        return ColumnType::DateTime;
    if (t.contains(QLatin1String("DATE")))
        return ColumnType::Date;
    if (t.contains(QLatin1String("CHAR")) || t.contains(QLatin1String("CLOB")) || t.contains(QLatin1String("TEXT")))
        return ColumnType::Text;
    if (t.contains(QLatin1String("BLOB")))
        return ColumnType::Blob;
    if (t.contains(QLatin1String("REAL")) || t.contains(QLatin1String("FLOA")) || t.contains(QLatin1String("DOUB")))
        return ColumnType::Real;
    return ColumnType::Untyped;
}

QString toText(const QVariant& stored, ColumnType type)
{
    if (!stored.isValid())
        return QString();
    if (isDateType(type) && stored.typeId() == QMetaType::QString) {
        const Moment m = parseIso(stored.toString());
        if (m.isValid())
            return formatted(m, type, true);
    }
    if (stored.typeId() == QMetaType::Double)
        return QString::number(stored.toDouble(), 'g', 15);
    return stored.toString();
}

int toInteger(const QVariant& stored, ColumnType type)
{
    if (!stored.isValid())
        return 0;
    if (isDateType(type))
        fail(QStringLiteral("a date column cannot be read as an integer"));
    bool ok = false;
    qint64 value = 0;
    switch (stored.typeId()) {
    case QMetaType::LongLong:
        value = stored.toLongLong();
        ok = true;
        break;
    case QMetaType::Double: {
        const double d = stored.toDouble();
        ok = d == double(qint64(d));
        value = qint64(d);
        break;
    }
    default: {
        const QString text = stored.toString().trimmed();
        if (text.isEmpty())
            return 0;
        value = text.toLongLong(&ok);
        break;
    }
    }
    if (!ok || value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max())
        fail(QStringLiteral("'%1' is not a valid integer value").arg(stored.toString()));
    return int(value);
}

QDateTime toDateTime(const QVariant& stored, ColumnType type)
{
    if (!stored.isValid())
        return QDateTime();
    Moment m;
    if (stored.typeId() == QMetaType::QString)
        m = isDateType(type) ? parseIso(stored.toString()) : parseGerman(stored.toString(), true);
    if (!m.isValid())
        fail(QStringLiteral("'%1' is not a valid date").arg(stored.toString()));
    return QDateTime(m.date, m.time);
}

QVariant fromText(const QString& text, ColumnType type)
{
    switch (type) {
    case ColumnType::Text:
    case ColumnType::Untyped:
        return text;
    case ColumnType::Blob:
        return text.toUtf8();
    default:
        break;
    }
    if (text.isEmpty())
        return QVariant();
    if (type == ColumnType::Date || type == ColumnType::DateTime) {
        const Moment m = parseGerman(text, type == ColumnType::DateTime);
        if (!m.isValid())
            fail(QStringLiteral("'%1' is not a valid %2")
                     .arg(text, type == ColumnType::Date ? QStringLiteral("date") : QStringLiteral("date and time")));
        return formatted(m, type, false);
    }
    bool ok = false;
    if (type == ColumnType::Integer) {
        const qint64 value = text.trimmed().toLongLong(&ok);
        if (ok)
            return value;
        fail(QStringLiteral("'%1' is not a valid integer value").arg(text));
    }
    const double value = text.trimmed().toDouble(&ok);
    if (!ok)
        fail(QStringLiteral("'%1' is not a valid number").arg(text));
    return value;
}

QVariant fromInteger(int value, ColumnType type)
{
    switch (type) {
    case ColumnType::Date:
    case ColumnType::DateTime:
        fail(QStringLiteral("an integer cannot be assigned to a date column"));
    case ColumnType::Text:
        return QString::number(value);
    case ColumnType::Real:
        return double(value);
    default:
        return qint64(value);
    }
}

QVariant fromDateTime(const QDateTime& value, ColumnType type)
{
    const Moment m{value.date(), value.time()};
    if (!m.isValid())
        fail(QStringLiteral("not a valid date"));
    switch (type) {
    case ColumnType::Date:
    case ColumnType::DateTime:
        return formatted(m, type, false);
    case ColumnType::Text:
    case ColumnType::Untyped:
        return formatted(m, ColumnType::DateTime, true);
    default:
        fail(QStringLiteral("a date cannot be assigned to a number column"));
    }
}

}  // namespace klw::db
