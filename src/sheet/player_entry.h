#pragma once
// Player entry: a pass number brings in the member's name and nickname, or becomes a new
// member at once; leaving a name or nickname writes the row back into the member record.
// The duplicate checks of the two teams are with the line-up (sheet/lineup.h).

#include <QString>

namespace klw {

struct Context;

// Leaving any of the twelve pass-number fields (also run by a restore for each row).
void f_h1pnrExit(Context& c, const QString& sender);
// Leaving any of the twelve name or twelve nickname fields.
void f_h1nameExit(Context& c, const QString& sender);

}  // namespace klw
