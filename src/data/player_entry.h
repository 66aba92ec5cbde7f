#pragma once
// Player entry: a pass number brings in the member's name and nickname, or becomes a new
// member at once; leaving a name or nickname writes the row back into the member record.
// A member write that fails says why and is tried again later, so that nothing typed is
// lost. The duplicate checks of the two teams are with the line-up (sheet/lineup.h).

#include <QString>
#include <QStringList>

#include "sheet/tables.h"

namespace klw {

struct Context;

// Leaving any of the twelve pass-number fields (also run by a restore for each row).
void f_h1pnrExit(Context& c, ControlId sender);
// Leaving any of the twelve name or twelve nickname fields.
void f_h1nameExit(Context& c, ControlId sender);

// Stores the members of the rows whose write failed before, as the sheet has them now.
// Each row is stored whole or not at all; the texts of the writes that failed again are
// returned (those rows stay to be stored).
QStringList MitgliederNachtragen(Context& c);

}  // namespace klw
