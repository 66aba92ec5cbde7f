#pragma once
// Snapshots of the sheet in the database: saving, the backup panel and the autosave timer.

#include <QString>

namespace klw {

struct Context;

void SicherungErstellen(Context& c);
// Offers to delete older snapshots of the match on the sheet (called by the name transfer).
void SicherungObVorhandenPruefen(Context& c);
void bt_schliessen3Click(Context& c, const QString& sender);
void Timer1Timer(Context& c, const QString& sender);

}  // namespace klw
