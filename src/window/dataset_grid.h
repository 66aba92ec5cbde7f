#pragma once
// What every grid over a dataset shares: read-only, whole rows selected one at a time, the
// columns at the model's widths, and the dataset's current row following the selection and
// the other way round.

class QTableView;

namespace klw {

namespace db {
class DatasetModel;
}

void setUpDatasetGrid(QTableView& grid, db::DatasetModel& model);

}  // namespace klw
