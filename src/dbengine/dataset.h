#pragma once
// A query result: the rows of one statement with their column names and declared types, a
// current row, and edit/append of the current row, posted back to the table as an UPDATE or
// INSERT with bound values.
//
// Rows are fetched from the engine in batches when they are asked for (a move of the cursor,
// a count, a grid scrolling down), not all at open: opening a table of 100,000 rows reads
// one batch. Every batch runs a statement of its own that is finished before the call
// returns, so no result keeps a read transaction open between two calls: another program
// may write the file meanwhile, and this connection's next write still goes ahead (and
// waits for that program's lock as long as the busy timeout says). A result with the
// integer primary key of its table is read on in the order of its statement, ties broken
// by that key, each batch starting after the last row of the one before; any other result
// (a count, a maximum) is read whole at open.
// The rows fetched so far stay held; indexes of held rows never change except by remove().
//
// A result can be changed when all its columns come from one table whose INTEGER PRIMARY
// KEY is among them (every "select * from <table> ..." of the program); the rows are
// addressed by that key.

#include <QDateTime>
#include <QObject>
#include <QSet>
#include <QString>
#include <QVariant>
#include <QVector>
#include <functional>
#include <memory>
#include <vector>

#include <optional>
#include "dbengine/connection.h"
#include "dbengine/paging.h"
#include "dbengine/values.h"

namespace klw::db {

class Dataset;
class PreparedStatement;

// One column of the current row, found by name.
class Field {
public:
    const QString& name() const;
    bool isNull() const;
    QString asString() const;
    int asInteger() const;
    QDateTime asDateTime() const;

    // Assignments need edit or append mode. One that fails (a text that is no date, say)
    // throws, and the row can then no longer be posted.
    void setAsString(const QString& text);
    void setAsInteger(int value);
    void setAsDateTime(const QDateTime& value);
    void clear();

private:
    friend class Dataset;
    Field(Dataset& dataset, int column) : dataset_(&dataset), column_(column) {}
    Dataset* dataset_;
    int column_;
};

class Dataset : public QObject {
    Q_OBJECT
public:
    enum class State { Closed, Browse, Edit, Insert };

    explicit Dataset(Connection& connection, QObject* parent = nullptr);
    ~Dataset() override;

    // Closes, then runs a statement that returns rows and fetches its first batch; the first
    // row is current. A failure of the statement in that batch is thrown here. A statement
    // without a result (delete, update) is refused unrun.
    void open(const QString& sql);
    void close();
    // Closes, then runs a statement that returns no rows.
    void execute(const QString& sql);

    bool isOpen() const { return state_ != State::Closed; }
    State state() const { return state_; }
    // The last statement given to open() or execute(), also after close().
    const QString& sql() const { return sql_; }

    // The cursor, as in a grid: bof() after first() or a prior() at the first row, eof()
    // after a next() at the last row; both for an empty or closed result.
    bool bof() const { return bof_; }
    bool eof() const { return eof_; }
    bool isEmpty() const { return rows_.empty(); }  // open() has fetched the first batch
    // All rows of the result: fetches the rest first.
    int recordCount();
    int recNo() const { return current_; }  // 0-based, -1 without rows
    // Fetches up to the row when needed; beyond the last row the last one becomes current.
    void setRecNo(int row);
    void first();
    void last();  // fetches the rest
    void next();
    void prior();

    // Fetching by hand, for grids: the rows held so far, whether the statement may have
    // more, and fetching up to `count` more (returns how many came). A failure while
    // fetching ends the result at the rows held and is thrown.
    int fetchedCount() const { return int(rows_.size()); }
    bool canFetchMore() const { return more_; }
    int fetchMore(int count);

    int columnCount() const { return int(columns_.size()); }
    const QString& columnName(int column) const { return columns_[size_t(column)].name; }
    ColumnType columnType(int column) const { return columns_[size_t(column)].type; }
    int columnIndex(const QString& name) const;  // -1 when the result has no such column
    // A held value (row < fetchedCount()) as text, as fields read it; for grids.
    QString text(int row, int column) const;

    // Throws Error "no such column: NAME" when the result lacks the column, or when closed.
    Field fieldByName(const QString& name);

    // Edit mode for the current row; on an empty result this appends instead. Nothing
    // happens while a row is already pending.
    void edit();
    // A new, empty pending row; a row that was pending and not posted is dropped.
    void append();
    // Stores the pending row. On failure nothing is stored and the row stays pending.
    void post();
    void cancel();
    // Deletes the current row from the table (or drops a pending new row).
    void remove();

signals:
    // Opened, closed, a row stored or removed.
    void resultChanged();
    // Rows first..last were fetched and appended to the held rows.
    void rowsFetched(int first, int last);
    void currentRowChanged();

private:
    friend class Field;
    struct Column {
        QString name;
        ColumnType type;
        QString table;  // table of origin, empty for expressions
        QString origin;  // column name in that table
    };
    using Row = QVector<QVariant>;
    struct OrderTerm {
        QString name;  // as the statement writes it
        int column;
        bool descending;
    };

    const QVariant& currentValue(int column) const;
    void assign(int column, const std::function<QVariant(ColumnType)>& convert);
    void requireChangeable();
    void dropPending();
    Row readBack(const QVariant& key);
    // The result's table columns as a column list, and their places in a row.
    QString storedColumns(QVector<int>* columns) const;
    // Reads the statement's one row into those places; false when it gives none.
    static bool readRow(PreparedStatement& stmt, const QVector<int>& columns, Row* row);
    void setCursor(int row, bool bof, bool eof);
    bool fetchTo(int row);  // true when the row is held afterwards
    // Fetches up to count rows (all of a result that is read whole, by `prepared` when given);
    // returns how many came from the file.
    int fetchBatch(int count, PreparedStatement* prepared = nullptr);
    bool findKey(QString* table, int* key, QString* why) const;
    struct Shape;
    std::vector<Column> shapeOf(PreparedStatement& stmt, std::shared_ptr<void>& note);
    std::shared_ptr<const Shape> shape_;
    void planPaging(const std::optional<OrderClause>& clause);
    QString pageStatement(const QString& condition, int count) const;
    void endFetching();
    void noteChanged(const QVariant& key);

    Connection& connection_;
    QString sql_;
    State state_ = State::Closed;
    std::vector<Column> columns_;
    std::vector<Row> rows_;
    // Reading on in batches: the statement without its order clause, the order and whether
    // the file may hold more rows after the last one fetched.
    std::optional<OrderClause> clause_;
    QVector<OrderTerm> order_;
    int pageKey_ = -1;
    bool more_ = false;
    Row lastFetched_;
    // Keys of rows this result stored or removed while more rows may come: a later batch
    // may meet them again, and must not hold them twice.
    QSet<qint64> changedKeys_;
    int current_ = -1;
    bool bof_ = true;
    bool eof_ = true;

    // Resolved when the result is first changed.
    QString table_;
    int keyColumn_ = -1;

    Row pending_;
    QVector<bool> assigned_;
    QString failedAssignment_;  // the error of an assignment that failed on the pending row
};

}  // namespace klw::db
