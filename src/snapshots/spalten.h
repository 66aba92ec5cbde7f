#pragma once
// The columns of a snapshot row in SICHERUNG and the sheet fields they come from. Column
// names of the games and player rows are made from the game table and the player rows, so
// that no field name is repeated here.

#include <QString>
#include <vector>

#include "sheet/tables.h"

namespace klw {

enum class ColumnKind {
    Text,  // the field's text as it is
    Number,  // the field's text as an integer; no whole number gives 0
    Date,  // the field's text DD.MM.YYYY into a date column
};

struct SnapshotColumn {
    QString spalte;
    FieldId feld;
    ColumnKind art;
};

// The columns from LIGAX to GDOPPELSAETEZ2 in the order a save fills them, then the place
// ORTX. LFDNRI, SAISONX (from the window state Saison) and GESPEICHERTD (the time of the
// save) are not in it.
const std::vector<SnapshotColumn>& snapshotColumns();

// The place and date line f_ort. Database files made before it was kept lack the column
// until the start adds it (SicherungstabelleErgaenzen).
inline const QString kOrtSpalte = QStringLiteral("ORTX");

QString passNumberColumn(const PlayerRow& zeile);  // PNRH1X .. PNRG6X
QString choiceColumn(const Game& einzel, bool heim);  // R1H1X .. R4G4X
QString setsColumn(const Game& einzel, bool heim);  // R1H1SI .. R4G4SI

// The six columns of one doubles game.
struct DoublesColumns {
    QString heimPaar, gastPaar;  // HDOPPEL1, GDOPPEL1
    QString heimSpiele, gastSpiele;  // HD0PELLSPIELE1, GD0PELLSPIELE1 (a zero after the D)
    QString heimSaetze, gastSaetze;  // HDOPPELSAETEZ1, GDOPPELSAETEZ1
};
DoublesColumns doublesColumns(const Game& doppel);

}  // namespace klw
