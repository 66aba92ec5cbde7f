#include "window/dataset_grid.h"

#include <QTableView>

#include "dbengine/dataset_model.h"

namespace klw {

void setUpDatasetGrid(QTableView& grid, db::DatasetModel& model)
{
    grid.setModel(&model);
    grid.setSelectionBehavior(QAbstractItemView::SelectRows);
    grid.setSelectionMode(QAbstractItemView::SingleSelection);
    grid.setEditTriggers(QAbstractItemView::NoEditTriggers);
    // The header keeps the widths when a new result comes, its columns being the same.
    for (int i = 0; i < model.columns().size(); ++i)
        if (model.columns()[i].width > 0)
            grid.setColumnWidth(i, model.columns()[i].width);
    model.followCurrentRow(grid.selectionModel());
}

}  // namespace klw
