#pragma once
// What the two search windows share: the query and its grid, the grid taking the focus
// and the first search running when the window is first shown, a double-click or Enter in
// the grid handing the current row back, and "&ende" (or Escape) handing nothing back.

#include <QDialog>

#include "dbengine/dataset.h"
#include "dbengine/dataset_model.h"

class QPushButton;

namespace klw {

class Suchgrid;
class TDM_SYS;

class Suchfenster : public QDialog {
    Q_OBJECT
public:
    // The grid goes before the model and the query it shows.
    ~Suchfenster() override;

    db::Dataset Q_SUCHE;
    db::DatasetModel SUCHE;
    Suchgrid* DBGrid1;
    QPushButton* bt_ende = nullptr;

protected:
    Suchfenster(db::Connection& connection, TDM_SYS& dm, const QList<db::DatasetModel::Column>& spalten,
                QWidget* parent, Qt::WindowFlags flags = {});

    // The search that runs when the window is first shown.
    virtual void ersteSuche() = 0;
    // The button "&ende" at its place.
    void endeknopfSetzen(const QRect& geometry);

    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void reject() override;

    TDM_SYS& dm_;

private:
    void bt_endeClick();

    bool shown_ = false;
};

}  // namespace klw
