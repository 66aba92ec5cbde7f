#pragma once
// Which player a game choice names. Scoring and line-up both go by the choice's text.

#include "sheet/spielbogen.h"
#include "sheet/tables.h"

namespace klw {

// The row of the position that the choice's text names, when that text is exactly one of
// the choice's three items; nullptr for anything typed that is none of them.
inline const PlayerRow* chosenRow(const Spielbogen& s, const Game& spiel, bool heim)
{
    const QString& text = s.text(heim ? spiel.homeChoice : spiel.guestChoice);
    for (const char* item : choiceItems(spiel, heim))
        if (text == QLatin1String(item))
            return rowAtPosition(text);
    return nullptr;
}

}  // namespace klw
