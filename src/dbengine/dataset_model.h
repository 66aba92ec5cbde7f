#pragma once
// A table model over a dataset's result, for grids: chosen columns by name with their
// titles. It shows the rows the dataset holds and asks it for more as the view scrolls
// (canFetchMore/fetchMore), so a result of 100,000 rows is never copied out at once. It
// starts afresh whenever the dataset runs a new statement, closes, or stores or removes a
// row; the current row can follow the view's selection both ways.

#include <QAbstractTableModel>
#include <QList>
#include <QPointer>
#include <QString>

class QItemSelectionModel;

namespace klw::db {

class Dataset;

class DatasetModel : public QAbstractTableModel {
    Q_OBJECT
public:
    struct Column {
        QString field;  // the result's column, found by name (letter case ignored)
        QString title;  // header text; empty: the field name
        int width = 0;  // suggested width in pixels for the view, 0 for its default
    };

    DatasetModel(Dataset& dataset, QList<Column> columns, QObject* parent = nullptr);

    Dataset& dataset() const { return dataset_; }
    const QList<Column>& columns() const { return columns_; }
    // The field shown in a column of the model.
    const QString& fieldName(int section) const { return columns_[section].field; }

    // How many rows one fetchMore() asks the dataset for.
    void setBatchSize(int rows) { batchSize_ = rows > 0 ? rows : 1; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    bool canFetchMore(const QModelIndex& parent) const override;
    void fetchMore(const QModelIndex& parent) override;

    // Reads the dataset's result again from its start; runs by itself after a new
    // statement, a close, a stored or a removed row.
    void reset();

    // Keeps the dataset's current row and the selection's current row together: a row
    // chosen in the view becomes the dataset's current row and the other way round.
    void followCurrentRow(QItemSelectionModel* selection);

private:
    void resolveColumns();
    void rowsFetched(int first, int last);
    void selectCurrentRow();

    Dataset& dataset_;
    QList<Column> columns_;
    QList<int> sourceColumns_;  // the dataset's column per model column, -1 when missing
    int rows_ = 0;
    int batchSize_ = 64;  // about a screenful: a view asks again until it is filled
    QPointer<QItemSelectionModel> selection_;
    bool syncing_ = false;
};

}  // namespace klw::db
