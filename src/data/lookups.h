#pragma once
// Reference look-ups of the main window: the league with its official line and doubles
// flag, members by pass number, and the check that a team does not play itself. Each look-up
// leaves its result open on the window's query, where later steps read the current row.

#include <QString>

#include "sheet/tables.h"

namespace klw {

struct Context;

namespace db {
class Dataset;
}

// The association's office, shown in the official line when the league's official is unknown.
inline const QString kVerbandName = QStringLiteral("MEKO e. V.");
inline const QString kVerbandTelefon = QStringLiteral("0201 123 45 60");
inline const QString kVerbandEmail = QStringLiteral("geschaeftsstelle@meko-darts.example");

// 1 when LIGA has a row for the league (current on Q_LIGA), else 0; a failure counts as 0.
int LigaLesen(Context& c, const QString& liga);
// 1 when Mitglied has a row with this pass number (current on Q_SPIELER), else 0; a failure
// counts as 0.
int SpielerLesen(Context& c, const QString& passnr);
// 1 when SACHBEARBEITER has a row with this key (current on `query`), else 0. Failures reach
// the caller.
int TabelleSachbearbeiterLesen(Context& c, db::Dataset& query, const QString& kz);
// Writes the official line l_ligabearbeiter for the key; the office's contact fills in for
// whatever is not found. Returns the look-up's result, 0 after a failure.
int SachbearbeiterLesen(Context& c, const QString& kz);
// Stores a new member that holds only the pass number. Any failure, of the statement or
// of the write, reaches the caller; nothing is stored then.
void SpielerAnlegen(Context& c, const QString& passnr);

// Leaving f_liga: the official line, MitDoppel and the doubles row.
void f_ligaExit(Context& c, ControlId sender);
// Leaving f_Heimteam or f_gastteam: refuses a team playing itself.
void f_HeimteamExit(Context& c, ControlId sender);

}  // namespace klw
