#pragma once
// The player search "Spielerauswahl": filters for pass number, surname, team and league,
// and the members found, sortable by a click on a column title. A double-click or Enter in
// the grid closes it with the current row chosen; "&ende" closes it with nothing.

#include "data/suche.h"
#include "window/search/suchfenster.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace klw {

class TSSPIELER : public Suchfenster {
    Q_OBJECT
public:
    TSSPIELER(db::Connection& connection, TDM_SYS& dm, QWidget* parent = nullptr);

    // The window's colour; an invalid colour keeps the system's.
    void setFarbe(const QColor& farbe);
    PlayerFilter filter() const;
    // Builds and runs the player statement, ordered by the column.
    void SucheStarten(const QString& sortierung);
    void DBGrid1TitleClick(int section);

    QPushButton* bt_nummer;
    QLineEdit* f_nr;
    QPushButton* bt_name;
    QLineEdit* f_name;
    QPushButton* bt_verein;
    QLineEdit* f_verein;
    QPushButton* bt_liga;
    QComboBox* f_liga;
    QLabel* Label1;

protected:
    void ersteSuche() override;
};

}  // namespace klw
