#pragma once
// Line-up of the games: the choice rule of the 32 game choices, the duplicate-player checks
// and the transfer of the players' names into the sixteen game lines.

#include <QString>

#include "sheet/tables.h"

namespace klw {

struct Context;

// Leaving any of the 32 choices, or picking an item from its list: rewrites that game's line.
void ComboBox1Exit(Context& c, ControlId sender);
void ComboBox1Click(Context& c, ControlId sender);
// The transfer button: checks, then writes all sixteen game lines.
void bt_namenuebernehmen2Click(Context& c, ControlId sender);
// True when no two rows of the team hold the same non-empty name.
bool HeimSpielerPruefen(const Context& c);
bool GastSpielerPruefen(const Context& c);

}  // namespace klw
