#pragma once
// Snapshots of the sheet in the database: saving, the backup panel and the autosave timer.

#include <QString>

namespace klw {

struct Context;

void SicherungErstellen(Context& c);
void bt_schliessen3Click(Context& c, const QString& sender);
void Timer1Timer(Context& c, const QString& sender);

}  // namespace klw
