#pragma once
// The result grid of a search window: a read-only table view over the window's query that
// selects whole rows and follows the query's current row.

#include <QTableView>

#include "dbengine/dataset_model.h"

class QComboBox;
class QPushButton;

namespace klw {

class Suchgrid : public QTableView {
    Q_OBJECT
public:
    Suchgrid(db::DatasetModel& model, QWidget* parent);
};

// A button of a search window. None is a default button: Enter in a filter field must not
// press one.
QPushButton* suchknopf(const QString& name, const QString& caption, const QRect& geometry, QWidget* parent);

// The league filter f_liga of a search window: its text typed or one of `ligen` picked, all
// of them shown at once when it opens; a typed text is neither added nor completed. It
// starts empty.
QComboBox* ligafeld(const QStringList& ligen, const QRect& geometry, QWidget* parent);

}  // namespace klw
