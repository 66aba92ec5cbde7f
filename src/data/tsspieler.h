#pragma once
// The player search "Spielerauswahl": filters for pass number, surname, team and league,
// and the members found, sortable by a click on a column title. A double-click or Enter in
// the grid closes it with the current row chosen; "&ende" closes it with nothing.

#include <QDialog>

#include "data/suche.h"
#include "dbengine/dataset.h"
#include "dbengine/dataset_model.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace klw {

class Suchgrid;

class TSSPIELER : public QDialog {
    Q_OBJECT
public:
    TSSPIELER(db::Connection& connection, TDM_SYS& dm, QWidget* parent = nullptr);
    ~TSSPIELER() override;

    // The window's colour; an invalid colour keeps the system's.
    void setFarbe(const QColor& farbe);
    Spielerfilter filter() const;
    // Builds and runs the player statement, ordered by the column.
    void SucheStarten(const QString& sortierung);
    void DBGrid1TitleClick(int section);

    db::Dataset Q_SUCHE;
    db::DatasetModel SUCHE;

    QPushButton* bt_nummer;
    QLineEdit* f_nr;
    QPushButton* bt_name;
    QLineEdit* f_name;
    QPushButton* bt_verein;
    QLineEdit* f_verein;
    QPushButton* bt_liga;
    QComboBox* f_liga;
    Suchgrid* DBGrid1;
    QLabel* Label1;
    QPushButton* bt_ende;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Escape closes the window as "&ende" does.
    void reject() override;

private:
    void bt_endeClick();

    TDM_SYS& dm_;
    bool shown_ = false;
};

}  // namespace klw
