#include "dbengine/dataset_model.h"

#include <QItemSelectionModel>
#include <exception>

#include "dbengine/dataset.h"

namespace klw::db {

DatasetModel::DatasetModel(Dataset& dataset, QList<Column> columns, QObject* parent)
    : QAbstractTableModel(parent), dataset_(dataset), columns_(std::move(columns))
{
    resolveColumns();
    rows_ = dataset_.isOpen() ? dataset_.fetchedCount() : 0;
    connect(&dataset_, &Dataset::resultChanged, this, &DatasetModel::reset);
    connect(&dataset_, &Dataset::rowsFetched, this, &DatasetModel::rowsFetched);
    connect(&dataset_, &Dataset::currentRowChanged, this, &DatasetModel::selectCurrentRow);
}

void DatasetModel::resolveColumns()
{
    sourceColumns_.clear();
    for (const Column& c : columns_)
        sourceColumns_.append(dataset_.isOpen() ? dataset_.columnIndex(c.field) : -1);
}

void DatasetModel::reset()
{
    beginResetModel();
    resolveColumns();
    rows_ = dataset_.isOpen() ? dataset_.fetchedCount() : 0;
    endResetModel();
    selectCurrentRow();
}

void DatasetModel::rowsFetched(int first, int last)
{
    // Rows are only ever appended while fetching; a view may have asked, or the dataset's
    // cursor may have moved on by itself.
    if (last < rows_)
        return;
    first = std::max(first, rows_);
    beginInsertRows(QModelIndex(), first, last);
    rows_ = last + 1;
    endInsertRows();
}

int DatasetModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : rows_;
}

int DatasetModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(columns_.size());
}

QVariant DatasetModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= rows_)
        return {};
    const int source = sourceColumns_.value(index.column(), -1);
    if (source < 0)
        return {};
    return dataset_.text(index.row(), source);
}

QVariant DatasetModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= columns_.size())
        return QAbstractTableModel::headerData(section, orientation, role);
    if (role == Qt::DisplayRole) {
        const Column& c = columns_[section];
        return c.title.isEmpty() ? c.field : c.title;
    }
    return {};
}

bool DatasetModel::canFetchMore(const QModelIndex& parent) const
{
    return !parent.isValid() && dataset_.isOpen() && dataset_.canFetchMore();
}

void DatasetModel::fetchMore(const QModelIndex& parent)
{
    if (parent.isValid())
        return;
    try {
        dataset_.fetchMore(batchSize_);
    } catch (const std::exception&) {
        // The result ends at the rows held; a view must not be taken down by it.
    }
}

void DatasetModel::followCurrentRow(QItemSelectionModel* selection)
{
    selection_ = selection;
    connect(selection, &QItemSelectionModel::currentRowChanged, this, [this](const QModelIndex& current) {
        if (syncing_ || !current.isValid() || current.row() == dataset_.recNo())
            return;
        syncing_ = true;
        dataset_.setRecNo(current.row());
        syncing_ = false;
    });
    selectCurrentRow();
}

void DatasetModel::selectCurrentRow()
{
    if (!selection_ || syncing_)
        return;
    const int row = dataset_.recNo();
    if (row < 0 || row >= rows_ || columns_.isEmpty())
        return;
    if (selection_->currentIndex().row() == row)
        return;
    syncing_ = true;
    selection_->setCurrentIndex(index(row, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    syncing_ = false;
}

}  // namespace klw::db
