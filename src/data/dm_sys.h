#pragma once
// The data module DM_SYS: the query operations through which every statement of the
// program runs. Each takes the query to work on first; results are integer flags.

#include <QString>

namespace klw {

namespace db {
class Dataset;
}

class TDM_SYS {
public:
    // Closes the set; when sql is not empty, runs exactly sql on it. 1 when the result has a
    // row, 0 when it is empty. Engine errors reach the caller.
    int ABSQueryOpen(db::Dataset& set, const QString& sql);
    // Appends a new row to the query's result, first opening it when it is closed (the
    // empty result of table, or the statement given as table when column is empty); an
    // open query keeps its result and runs no statement. 1 when a row was appended, else 0.
    // The query is left in edit mode.
    int ABSQueryAppend(db::Dataset& query, const QString& table, const QString& column);
    // Puts the current row into edit mode; 0. A failure reaches the caller.
    int ABSQueryEdit(db::Dataset& query);
    // Stores the pending row: 0 on success, 1 on any failure, which also drops the pending
    // row, so that nothing is left of it.
    int ABSQueryPost(db::Dataset& query);
    // Deletes the current row, ignoring failures; always 0.
    int ABSQueryDelete(db::Dataset& set);
    // Closes the query and runs sql as a statement without result, ignoring any failure;
    // always 1. The query stays closed.
    int ABSQueryUpdate(db::Dataset& query, const QString& sql);
};

}  // namespace klw
