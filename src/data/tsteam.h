#pragma once
// The team search "Teamauswahl": the teams of the leagues whose name contains the league
// filter, searched again at every change of the filter. A double-click, Enter in the grid
// or the title-bar close box hand the current row back; "&ende" hands nothing back.

#include <QDialog>

#include "data/suche.h"
#include "dbengine/dataset.h"
#include "dbengine/dataset_model.h"

class QComboBox;
class QPushButton;

namespace klw {

class Suchgrid;

class TSTEAM : public QDialog {
    Q_OBJECT
public:
    TSTEAM(db::Connection& connection, TDM_SYS& dm, const QString& liga, QWidget* parent = nullptr);
    ~TSTEAM() override;

    void SucheStarten();

    db::Dataset Q_SUCHE;
    db::DatasetModel SUCHE;

    QPushButton* bt_liga;
    QComboBox* f_liga;
    Suchgrid* DBGrid1;
    QPushButton* bt_ende;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    void bt_endeClick();

    TDM_SYS& dm_;
    bool shown_ = false;
};

}  // namespace klw
