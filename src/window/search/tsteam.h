#pragma once
// The team search "Teamauswahl": the teams of the leagues whose name contains the league
// filter, searched again at every change of the filter. A double-click, Enter in the grid
// or the title-bar close box hand the current row back; "&ende" hands nothing back.

#include "data/suche.h"
#include "window/search/suchfenster.h"

class QComboBox;
class QPushButton;

namespace klw {

class TSTEAM : public Suchfenster {
    Q_OBJECT
public:
    TSTEAM(db::Connection& connection, TDM_SYS& dm, const QString& liga, QWidget* parent = nullptr);

    void SucheStarten();

    QPushButton* bt_liga;
    QComboBox* f_liga;

protected:
    void ersteSuche() override { SucheStarten(); }
    void closeEvent(QCloseEvent* event) override;
};

}  // namespace klw
