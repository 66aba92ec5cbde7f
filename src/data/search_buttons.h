#pragma once
// The main window's buttons that open a search window and take its pick over into the sheet.

#include <QString>

#include "sheet/tables.h"

namespace klw {

struct Context;

// The twelve row buttons bt_H1 .. bt_G6: the player search, filtered by the row's team and
// the league; the chosen pass number goes into the row's pass-number field with the focus.
void bt_H1Click(Context& c, ControlId sender);
// The team search for the home team; also fills the place and date line.
void bts_hteamClick(Context& c, ControlId sender);
// The team search for the guest team.
void bts_gteamClick(Context& c, ControlId sender);

}  // namespace klw
