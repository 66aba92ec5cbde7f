#include "dbengine/paging.h"

namespace klw::db {

namespace {

// The words of the statement outside quotes and parentheses, with their positions.
struct Word {
    QString text;  // upper case; a quoted name keeps its letters
    qsizetype at;
    bool quotedName;
    qsizetype end = 0;  // just after the word in the statement
};

std::optional<QVector<Word>> topLevelWords(const QString& sql)
{
    QVector<Word> words;
    int depth = 0;
    for (qsizetype i = 0; i < sql.size();) {
        const QChar c = sql[i];
        if (c == QLatin1Char('\'') || c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('[')) {
            const QChar close = c == QLatin1Char('[') ? QLatin1Char(']') : c;
            qsizetype end = i + 1;
            QString inner;
            for (;; ++end) {
                if (end >= sql.size())
                    return std::nullopt;
                if (sql[end] == close) {
                    if (close != QLatin1Char(']') && end + 1 < sql.size() && sql[end + 1] == close) {
                        inner += close;
                        ++end;
                        continue;
                    }
                    break;
                }
                inner += sql[end];
            }
            if (depth == 0 && c != QLatin1Char('\''))
                words.append({inner, i, true, end + 1});
            else if (depth == 0)
                words.append({QStringLiteral("'"), i, false});
            i = end + 1;
        } else if (c == QLatin1Char('(')) {
            ++depth;
            ++i;
        } else if (c == QLatin1Char(')')) {
            --depth;
            ++i;
        } else if (c.isLetterOrNumber() || c == QLatin1Char('_')) {
            qsizetype end = i;
            while (end < sql.size() && (sql[end].isLetterOrNumber() || sql[end] == QLatin1Char('_')))
                ++end;
            if (depth == 0)
                words.append({sql.mid(i, end - i).toUpper(), i, false, end});
            i = end;
        } else {
            if (depth == 0 && !c.isSpace())
                words.append({QString(c), i, false});
            ++i;
        }
    }
    return words;
}

}  // namespace

std::optional<OrderClause> splitOrderClause(const QString& sql)
{
    const auto words = topLevelWords(sql);
    if (!words || words->isEmpty() || words->first().text != QLatin1String("SELECT"))
        return std::nullopt;
    qsizetype order = -1;
    qsizetype where = -1;
    for (qsizetype i = 0; i < words->size(); ++i) {
        const Word& w = (*words)[i];
        if (w.quotedName)
            continue;
        if (w.text == QLatin1String("WHERE") && order < 0)
            where = w.at;
        for (const char* refused : {"LIMIT", "UNION", "INTERSECT", "EXCEPT", "GROUP", "DISTINCT", "WINDOW", ";"}) {
            if (w.text == QLatin1String(refused))
                return std::nullopt;
        }
        if (w.text == QLatin1String("ORDER") && i + 1 < words->size() && (*words)[i + 1].text == QLatin1String("BY"))
            order = i;
    }
    OrderClause clause;
    clause.where = where;
    if (order < 0) {
        clause.before = sql;
        return clause;
    }
    clause.before = sql.left((*words)[order].at);
    for (qsizetype i = order + 2; i < words->size();) {
        const Word& name = (*words)[i];
        if (!name.quotedName && !(name.text[0].isLetter() || name.text[0] == QLatin1Char('_')))
            return std::nullopt;
        // The column as it stands in the statement, letter case included.
        clause.columns << (name.quotedName ? name.text : sql.mid(name.at, name.text.size()));
        clause.written << sql.mid(name.at, name.end - name.at);
        bool descending = false;
        ++i;
        if (i < words->size() && !(*words)[i].quotedName &&
            ((*words)[i].text == QLatin1String("ASC") || (*words)[i].text == QLatin1String("DESC"))) {
            descending = (*words)[i].text == QLatin1String("DESC");
            ++i;
        }
        clause.descending << descending;
        if (i == words->size())
            break;
        if ((*words)[i].text != QLatin1String(",") || (*words)[i].quotedName)
            return std::nullopt;
        ++i;
    }
    if (clause.columns.isEmpty())
        return std::nullopt;
    return clause;
}

QString withCondition(const OrderClause& clause, const QString& condition)
{
    if (clause.where < 0)
        return clause.before + QStringLiteral(" where ") + condition + QLatin1Char(' ');
    return clause.before.left(clause.where) + QStringLiteral("where (") + clause.before.mid(clause.where + 5) +
           QStringLiteral(") and ") + condition + QLatin1Char(' ');
}

QString rowsAfter(const QStringList& columns, const QVector<bool>& descending, const QVector<bool>& isNull)
{
    const qsizetype n = columns.size();
    const QString key = columns.last();
    const QString last = QStringLiteral("?%1").arg(n);

    // All ascending and no null value: one row value comparison, which an index serves.
    bool plain = true;
    for (qsizetype i = 0; i + 1 < n; ++i)
        plain = plain && !descending[i] && !isNull[i];
    if (plain) {
        QStringList marks;
        for (qsizetype i = 1; i <= n; ++i)
            marks << QStringLiteral("?%1").arg(i);
        return QStringLiteral("(%1) > (%2)").arg(columns.join(QLatin1Char(',')), marks.join(QLatin1Char(',')));
    }
    QString condition = key + QStringLiteral(" > ") + last;
    for (qsizetype i = n - 2; i >= 0; --i) {
        const QString& c = columns[i];
        const QString value = QStringLiteral("?%1").arg(i + 1);
        if (!descending[i]) {
            condition = isNull[i] ? QStringLiteral("(%1 is not null or (%1 is null and %2))").arg(c, condition)
                                  : QStringLiteral("(%1 > %2 or (%1 = %2 and %3))").arg(c, value, condition);
        } else {
            condition = isNull[i]
                            ? QStringLiteral("(%1 is null and %2)").arg(c, condition)
                            : QStringLiteral("(%1 < %2 or %1 is null or (%1 = %2 and %3))").arg(c, value, condition);
        }
    }
    return condition;
}

}  // namespace klw::db
