#pragma once
// The backup panel's grid DBGrid1: the snapshot list of the query Q_LESEN in five columns,
// whole rows selected, the selected row being the query's current row.

class QTableView;

namespace klw {

namespace db {
class Dataset;
}

void sicherungslisteBinden(QTableView& DBGrid1, db::Dataset& Q_LESEN);

}  // namespace klw
