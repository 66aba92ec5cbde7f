#pragma once
// Snapshots of the sheet in the database: saving, the backup panel with the restore, the
// autosave timer, and the question about older snapshots of a match.

#include <QString>

#include "sheet/tables.h"

namespace klw {

struct Context;

// Stores the sheet as a new row of SICHERUNG in one transaction and shows its time in
// l_sicherung. Without home team, guest team, league or match day nothing is stored. A
// failure (a date field at its empty mask, the file locked by another program for longer
// than the busy timeout) stores nothing and reaches the caller with its reason.
void SicherungErstellen(Context& c);
// The next running number: the highest stored one plus 1, at least 1. It uses a query of
// its own, so that the backup panel's list stays as it is.
int MaxLfdNr(Context& c);
void bt_sicherungClick(Context& c, ControlId sender);
// An autosave tick. A failure shows the error box; while that box is open, further ticks
// do nothing.
void Timer1Timer(Context& c, ControlId sender);

// The backup panel: opens it with the snapshots of the current match, newest first.
void Image2Click(Context& c, ControlId sender);
// Asks, then restores the snapshot selected in the panel's list.
void bt_ladenClick(Context& c, ControlId sender);
// Writes the selected snapshot into the sheet and recomputes everything that follows from it.
void SicherungHerstellen(Context& c);
// Applies the autosave interval of the panel, restarts the timer and hides the panel.
void bt_schliessen3Click(Context& c, ControlId sender);

}  // namespace klw
