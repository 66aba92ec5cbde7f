#pragma once
// Reading a result on in batches (keyset paging): where a statement's order clause stands,
// and the condition that selects the rows after a given row of that order.

#include <QString>
#include <QStringList>
#include <QVector>
#include <optional>

namespace klw::db {

struct OrderClause {
    QString before;  // the statement up to its order clause (all of it when it has none)
    qsizetype where = -1;  // where its condition's "where" stands in `before`, -1 without one
    QStringList columns;  // the ordering columns, without quotes
    QStringList written;  // the same as the statement writes them
    QVector<bool> descending;
};

// The statement split at its order clause, when it is one plain select whose order clause
// (if any) names columns only; nothing for anything else (a limit, a union, grouping, an
// ordering by an expression), which is then read whole.
std::optional<OrderClause> splitOrderClause(const QString& sql);

// `before` with `condition` added to its own condition (or as its condition): the rows of the
// statement that also meet the condition.
QString withCondition(const OrderClause& clause, const QString& condition);

// The condition that holds for the rows that come after the row whose ordering values are
// parameters ?1 ... ?n in this order: `columns` quoted, the last one the unique key in
// ascending order; `isNull` says which of the values are null (nulls come first in an
// ascending order and last in a descending one). Null values are not bound.
QString rowsAfter(const QStringList& columns, const QVector<bool>& descending, const QVector<bool>& isNull);

}  // namespace klw::db
