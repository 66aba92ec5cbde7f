#include "dbengine/dataset.h"

#include <QStringList>
#include <algorithm>
#include <optional>
#include <sqlite3.h>

#include "dbengine/error.h"
#include "dbengine/paging.h"
#include "dbengine/statement.h"

namespace klw::db {

namespace {

// Rows the first statement of a result reads: a search grid's screenful and a little more.
// A filter that few rows pass costs a scan of the order in proportion to it, so it is kept
// small; a grid scrolling on asks for its own batches.
constexpr int kBatch = 24;

// The first batch of a statement that may be read on in batches: its order, ties broken
// by the row's key.
QString firstPage(const OrderClause& clause)
{
    QStringList terms;
    for (qsizetype i = 0; i < clause.columns.size(); ++i)
        terms << clause.written[i] + (clause.descending[i] ? QStringLiteral(" desc") : QString());
    terms << QStringLiteral("rowid");
    return clause.before + QStringLiteral(" order by ") + terms.join(QStringLiteral(", ")) +
           QStringLiteral(" limit %1").arg(kBatch);
}

[[noreturn]] void fail(const QString& message)
{
    throw Error(message, SQLITE_ERROR);
}

QString quotedName(const QString& name)
{
    QString q = name;
    q.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + q + QLatin1Char('"');
}

QString fromUtf8OrEmpty(const char* text)
{
    return text ? QString::fromUtf8(text) : QString();
}

}  // namespace

// ---- Field

const QString& Field::name() const
{
    return dataset_->columnName(column_);
}

bool Field::isNull() const
{
    return !dataset_->currentValue(column_).isValid();
}

QString Field::asString() const
{
    return toText(dataset_->currentValue(column_), dataset_->columnType(column_));
}

int Field::asInteger() const
{
    return toInteger(dataset_->currentValue(column_), dataset_->columnType(column_));
}

QDateTime Field::asDateTime() const
{
    return toDateTime(dataset_->currentValue(column_), dataset_->columnType(column_));
}

void Field::setAsString(const QString& text)
{
    dataset_->assign(column_, [&](ColumnType type) { return fromText(text, type); });
}

void Field::setAsInteger(int value)
{
    dataset_->assign(column_, [&](ColumnType type) { return fromInteger(value, type); });
}

void Field::setAsDateTime(const QDateTime& value)
{
    dataset_->assign(column_, [&](ColumnType type) { return fromDateTime(value, type); });
}

void Field::clear()
{
    dataset_->assign(column_, [](ColumnType) { return QVariant(); });
}

// ---- Dataset: running statements

Dataset::Dataset(Connection& connection, QObject* parent) : QObject(parent), connection_(connection) {}

Dataset::~Dataset() = default;

void Dataset::open(const QString& sql)
{
    close();
    sql_ = sql;
    // A statement in its order ties broken by the row's key can be read on in batches.
    // That is tried first, as the first batch; a result without a key of one table is then
    // read whole by the statement as it stands.
    const std::optional<OrderClause> clause = splitOrderClause(sql);
    std::optional<Connection::Cached> stmt;
    if (clause) {
        try {
            stmt.emplace(connection_.prepare(firstPage(*clause)));
        } catch (const Error&) {}
    }
    const bool firstPageRuns = stmt.has_value();
    if (!stmt)
        stmt.emplace(connection_.prepare(sql));
    columns_ = shapeOf(**stmt, (*stmt).note());
    state_ = State::Browse;
    planPaging(firstPageRuns ? clause : std::nullopt);
    if (firstPageRuns && pageKey_ < 0) {
        stmt.reset();
        stmt.emplace(connection_.prepare(sql));
    }
    more_ = true;
    try {
        fetchBatch(kBatch, stmt->get());
    } catch (...) {
        stmt.reset();
        state_ = State::Closed;
        columns_.clear();
        rows_.clear();
        table_.clear();
        keyColumn_ = -1;
        endFetching();
        throw;
    }
    stmt.reset();
    setCursor(rows_.empty() ? -1 : 0, true, rows_.empty());
    emit resultChanged();
}

void Dataset::close()
{
    if (state_ == State::Closed)
        return;
    dropPending();
    endFetching();
    state_ = State::Closed;
    columns_.clear();
    rows_.clear();
    table_.clear();
    keyColumn_ = -1;
    setCursor(-1, true, true);
    emit resultChanged();
}

void Dataset::execute(const QString& sql)
{
    close();
    sql_ = sql;
    PreparedStatement stmt(connection_.handle(), sql);
    if (!sqlite3_stmt_readonly(stmt.get()))
        connection_.checkFileUnchanged();
    while (stmt.step()) {}
}

// ---- Dataset: fetching

// The columns of a prepared statement, and its table and key; learnt once per statement.
struct Dataset::Shape {
    std::vector<Column> columns;
    bool hasKey = false;
    QString table;
    int key = -1;
    int reprepared = 0;
    QHash<QString, int> index;  // column by its name in upper case; the first of equal names
};

std::vector<Dataset::Column> Dataset::shapeOf(PreparedStatement& stmt, std::shared_ptr<void>& note)
{
    sqlite3_stmt* s = stmt.get();
    const int reprepared = sqlite3_stmt_status(s, SQLITE_STMTSTATUS_REPREPARE, 0);
    auto shape = std::static_pointer_cast<Shape>(note);
    if (!shape || shape->reprepared != reprepared) {
        shape = std::make_shared<Shape>();
        shape->reprepared = reprepared;
        const int count = sqlite3_column_count(s);
        if (count == 0)
            fail(QStringLiteral("statement returns no rows to open: ") + sql_);
        shape->columns.reserve(size_t(count));
        for (int i = 0; i < count; ++i) {
            shape->columns.push_back(
                {fromUtf8OrEmpty(sqlite3_column_name(s, i)), columnTypeOf(sqlite3_column_decltype(s, i)),
                 fromUtf8OrEmpty(sqlite3_column_table_name(s, i)), fromUtf8OrEmpty(sqlite3_column_origin_name(s, i))});
        }
        for (int i = count - 1; i >= 0; --i)
            shape->index.insert(shape->columns[size_t(i)].name.toUpper(), i);
        columns_ = shape->columns;
        shape->hasKey = findKey(&shape->table, &shape->key, nullptr);
        note = shape;
    }
    shape_ = shape;
    return shape->columns;
}

void Dataset::planPaging(const std::optional<OrderClause>& clause)
{
    clause_.reset();
    order_.clear();
    pageKey_ = -1;
    if (!shape_ || !shape_->hasKey)
        return;
    const QString& table = shape_->table;
    const int key = shape_->key;
    // The same table and key address the rows when the result is changed.
    table_ = table;
    keyColumn_ = key;
    if (!clause)
        return;
    QVector<OrderTerm> order;
    for (qsizetype i = 0; i < clause->columns.size(); ++i) {
        const int column = columnIndex(clause->columns[i]);
        if (column < 0)
            return;
        order.append({clause->written[i], column, clause->descending[i]});
    }
    clause_ = clause;
    order_ = std::move(order);
    pageKey_ = key;
}

QString Dataset::pageStatement(const QString& condition, int count) const
{
    QStringList terms;
    for (const OrderTerm& t : order_)
        terms << t.name + (t.descending ? QStringLiteral(" desc") : QString());
    terms << quotedName(columns_[size_t(pageKey_)].origin);
    return withCondition(*clause_, condition) + QStringLiteral("order by ") + terms.join(QStringLiteral(", ")) +
           QStringLiteral(" limit %1").arg(count);
}

int Dataset::fetchBatch(int count, PreparedStatement* prepared)
{
    if (!more_)
        return 0;
    const bool paged = pageKey_ >= 0;
    QVector<QVariant> after;
    std::optional<Connection::Cached> own;
    if (!prepared) {
        // The rows after the last one fetched, in the statement's order.
        QStringList names;
        QVector<bool> descending, isNull;
        auto add = [&](const QString& name, int column, bool desc) {
            names << name;
            descending << desc;
            after << lastFetched_[column];
            isNull << !after.last().isValid();
        };
        for (const OrderTerm& t : std::as_const(order_))
            add(t.name, t.column, t.descending);
        add(quotedName(columns_[size_t(pageKey_)].origin), pageKey_, false);
        own.emplace(connection_.prepare(pageStatement(rowsAfter(names, descending, isNull), count)));
        prepared = own->get();
        for (qsizetype i = 0; i < after.size(); ++i) {
            if (after[i].isValid())
                prepared->bind(int(i + 1), after[i]);
        }
    }
    PreparedStatement& stmt = *prepared;
    int came = 0;
    while (stmt.step()) {
        Row row(columnCount());
        for (int i = 0; i < columnCount(); ++i)
            row[i] = stmt.column(i);
        ++came;
        if (paged)
            lastFetched_ = row;
        if (keyColumn_ >= 0 && changedKeys_.contains(row[keyColumn_].toLongLong()))
            continue;
        rows_.push_back(std::move(row));
    }
    // A result that cannot be read on in batches was read whole.
    if (!paged || came < count)
        endFetching();
    return came;
}

void Dataset::endFetching()
{
    more_ = false;
    lastFetched_.clear();
    changedKeys_.clear();
}

int Dataset::fetchMore(int count)
{
    const int first = fetchedCount();
    try {
        while (more_ && fetchedCount() - first < count)
            fetchBatch(count - (fetchedCount() - first));
    } catch (...) {
        endFetching();
        if (fetchedCount() > first)
            emit rowsFetched(first, fetchedCount() - 1);
        throw;
    }
    if (fetchedCount() > first)
        emit rowsFetched(first, fetchedCount() - 1);
    return fetchedCount() - first;
}

bool Dataset::fetchTo(int row)
{
    if (row >= fetchedCount() && more_)
        fetchMore(row + 1 - fetchedCount());
    return row < fetchedCount();
}

int Dataset::recordCount()
{
    while (more_)
        fetchMore(4096);
    return fetchedCount();
}

void Dataset::noteChanged(const QVariant& key)
{
    if (more_)
        changedKeys_.insert(key.toLongLong());
}

// ---- Dataset: cursor and values

void Dataset::setCursor(int row, bool bof, bool eof)
{
    const bool moved = row != current_;
    current_ = row;
    bof_ = bof;
    eof_ = eof;
    if (moved)
        emit currentRowChanged();
}

void Dataset::setRecNo(int row)
{
    if (rows_.empty())
        return;
    dropPending();
    fetchTo(row);
    setCursor(std::clamp(row, 0, fetchedCount() - 1), false, false);
}

void Dataset::first()
{
    dropPending();
    setCursor(rows_.empty() ? -1 : 0, true, rows_.empty());
}

void Dataset::last()
{
    dropPending();
    recordCount();
    setCursor(fetchedCount() - 1, rows_.empty(), true);
}

void Dataset::next()
{
    dropPending();
    if (fetchTo(current_ + 1))
        setCursor(current_ + 1, false, false);
    else
        eof_ = true;
}

void Dataset::prior()
{
    dropPending();
    if (current_ > 0)
        setCursor(current_ - 1, false, false);
    else
        bof_ = true;
}

int Dataset::columnIndex(const QString& name) const
{
    if (state_ != State::Closed && shape_) {
        const auto found = shape_->index.constFind(name.toUpper());
        return found == shape_->index.constEnd() ? -1 : *found;
    }
    for (size_t i = 0; i < columns_.size(); ++i) {
        if (columns_[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return int(i);
    }
    return -1;
}

QString Dataset::text(int row, int column) const
{
    return toText(rows_[size_t(row)][column], columns_[size_t(column)].type);
}

Field Dataset::fieldByName(const QString& name)
{
    const int column = columnIndex(name);
    if (column < 0)
        fail(QStringLiteral("no such column: ") + name);
    return Field(*this, column);
}

const QVariant& Dataset::currentValue(int column) const
{
    static const QVariant null;
    if (state_ == State::Edit || state_ == State::Insert)
        return pending_[column];
    if (current_ < 0)
        return null;
    return rows_[size_t(current_)][column];
}

// ---- Dataset: changing rows

bool Dataset::findKey(QString* tableOut, int* keyOut, QString* why) const
{
    QString table;
    int key = -1;
    for (size_t i = 0; i < columns_.size(); ++i) {
        const Column& c = columns_[i];
        if (c.table.isEmpty())
            continue;
        if (!table.isEmpty() && c.table.compare(table, Qt::CaseInsensitive) != 0) {
            if (why)
                *why = QStringLiteral("a result of more than one table cannot be changed: ") + sql_;
            return false;
        }
        table = c.table;
        const char* declared = nullptr;
        int primaryKey = 0;
        if (sqlite3_table_column_metadata(connection_.handle(), nullptr, c.table.toUtf8().constData(),
                                          c.origin.toUtf8().constData(), &declared, nullptr, nullptr, &primaryKey,
                                          nullptr) != SQLITE_OK) {
            if (why)
                throwLastError(connection_.handle());
            return false;
        }
        if (primaryKey && declared &&
            QString::fromUtf8(declared).compare(QLatin1String("INTEGER"), Qt::CaseInsensitive) == 0)
            key = int(i);
    }
    if (table.isEmpty() || key < 0) {
        if (why)
            *why =
                QStringLiteral("the result holds no integer primary key of one table and cannot be changed: ") + sql_;
        return false;
    }
    *tableOut = table;
    *keyOut = key;
    return true;
}

void Dataset::requireChangeable()
{
    if (state_ == State::Closed)
        fail(QStringLiteral("cannot change a closed result"));
    if (!table_.isEmpty())
        return;
    QString why;
    if (!findKey(&table_, &keyColumn_, &why))
        fail(why);
}

void Dataset::dropPending()
{
    if (state_ == State::Edit || state_ == State::Insert)
        state_ = State::Browse;
    pending_.clear();
    assigned_.clear();
    failedAssignment_.clear();
}

void Dataset::edit()
{
    if (state_ == State::Edit || state_ == State::Insert)
        return;
    requireChangeable();
    if (current_ < 0) {
        append();
        return;
    }
    pending_ = rows_[size_t(current_)];
    assigned_ = QVector<bool>(columnCount(), false);
    state_ = State::Edit;
}

void Dataset::append()
{
    requireChangeable();
    dropPending();
    pending_ = Row(columnCount());
    assigned_ = QVector<bool>(columnCount(), false);
    state_ = State::Insert;
}

void Dataset::cancel()
{
    dropPending();
}

void Dataset::assign(int column, const std::function<QVariant(ColumnType)>& convert)
{
    if (state_ != State::Edit && state_ != State::Insert)
        fail(QStringLiteral("not in edit or append mode: ") + columnName(column));
    const Column& c = columns_[size_t(column)];
    if (c.table.isEmpty())
        fail(QStringLiteral("column cannot be changed: ") + c.name);
    try {
        pending_[column] = convert(c.type);
    } catch (const std::exception& e) {
        failedAssignment_ = c.name + QStringLiteral(": ") + QString::fromUtf8(e.what());
        throw;
    }
    assigned_[column] = true;
}

QString Dataset::storedColumns(QVector<int>* columns) const
{
    QStringList names;
    for (int i = 0; i < columnCount(); ++i) {
        if (!columns_[size_t(i)].table.isEmpty()) {
            names << quotedName(columns_[size_t(i)].origin);
            *columns << i;
        }
    }
    return names.join(QLatin1Char(','));
}

bool Dataset::readRow(PreparedStatement& stmt, const QVector<int>& columns, Row* row)
{
    if (!stmt.step())
        return false;
    for (int j = 0; j < columns.size(); ++j)
        (*row)[columns[j]] = stmt.column(j);
    while (stmt.step()) {}
    return true;
}

Dataset::Row Dataset::readBack(const QVariant& key)
{
    QVector<int> columns;
    const QString names = storedColumns(&columns);
    auto stmt =
        connection_.prepare(QStringLiteral("select %1 from %2 where %3 = ?")
                                .arg(names, quotedName(table_), quotedName(columns_[size_t(keyColumn_)].origin)));
    stmt->bind(1, key);
    Row row = pending_;
    readRow(*stmt, columns, &row);
    return row;
}

void Dataset::post()
{
    if (state_ != State::Edit && state_ != State::Insert)
        fail(QStringLiteral("no pending row to store"));
    if (!failedAssignment_.isEmpty())
        fail(QStringLiteral("row not stored after a failed assignment (") + failedAssignment_ + QLatin1Char(')'));

    QStringList names;
    QVector<QVariant> values;
    for (int i = 0; i < columnCount(); ++i) {
        if (assigned_[i]) {
            names << quotedName(columns_[size_t(i)].origin);
            values << pending_[i];
        }
    }
    connection_.checkFileUnchanged();
    // The row as stored (defaults included) comes back from the statement itself.
    QVector<int> returned;
    const QString returning = QStringLiteral(" returning ") + storedColumns(&returned);
    Row stored = pending_;
    QVariant key;
    if (state_ == State::Insert) {
        QString sql = QStringLiteral("insert into ") + quotedName(table_);
        if (names.isEmpty()) {
            sql += QStringLiteral(" default values");
        } else {
            QStringList marks;
            for (qsizetype i = 0; i < names.size(); ++i)
                marks << QStringLiteral("?");
            sql += QStringLiteral(" (%1) values (%2)").arg(names.join(QLatin1Char(',')), marks.join(QLatin1Char(',')));
        }
        auto stmt = connection_.prepare(sql + returning);
        for (qsizetype i = 0; i < values.size(); ++i)
            stmt->bind(int(i + 1), values[i]);
        readRow(*stmt, returned, &stored);
        key = stored[keyColumn_];
    } else {
        const QVariant oldKey = rows_[size_t(current_)][keyColumn_];
        key = assigned_[keyColumn_] ? pending_[keyColumn_] : oldKey;
        if (names.isEmpty()) {
            stored = readBack(key);
        } else {
            auto stmt = connection_.prepare(QStringLiteral("update %1 set %2 = ? where %3 = ?")
                                                .arg(quotedName(table_), names.join(QStringLiteral(" = ?, ")),
                                                     quotedName(columns_[size_t(keyColumn_)].origin)) +
                                            returning);
            for (qsizetype i = 0; i < values.size(); ++i)
                stmt->bind(int(i + 1), values[i]);
            stmt->bind(int(values.size() + 1), oldKey);
            if (!readRow(*stmt, returned, &stored))
                fail(QStringLiteral("the row to be changed no longer exists in ") + table_);
        }
    }

    noteChanged(key);
    if (state_ == State::Insert) {
        rows_.push_back(std::move(stored));
        dropPending();
        setCursor(fetchedCount() - 1, false, false);
    } else {
        rows_[size_t(current_)] = std::move(stored);
        dropPending();
    }
    emit resultChanged();
}

void Dataset::remove()
{
    if (state_ == State::Insert) {
        dropPending();
        return;
    }
    requireChangeable();
    if (current_ < 0)
        fail(QStringLiteral("no current row to delete"));
    dropPending();
    connection_.checkFileUnchanged();
    PreparedStatement stmt(connection_.handle(),
                           QStringLiteral("delete from %1 where %2 = ?")
                               .arg(quotedName(table_), quotedName(columns_[size_t(keyColumn_)].origin)));
    stmt.bind(1, rows_[size_t(current_)][keyColumn_]);
    stmt.step();
    noteChanged(rows_[size_t(current_)][keyColumn_]);
    rows_.erase(rows_.begin() + current_);
    fetchTo(current_);  // the row after the removed one takes its place
    const int row = std::min(current_, fetchedCount() - 1);
    current_ = -2;  // makes setCursor report the change also when the index stays
    setCursor(row, rows_.empty(), rows_.empty());
    emit resultChanged();
}

}  // namespace klw::db
