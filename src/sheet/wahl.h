#pragma once
// Which player a game choice names. Scoring and line-up both go by the choice's text.

#include "sheet/spielbogen.h"
#include "sheet/tables.h"

namespace klw {

// The row of the position that the choice's text names, when that text is exactly one of
// the choice's three items; nullptr for anything typed that is none of them.
inline const Spielerzeile* gewaehlteZeile(const Spielbogen& s, const Spiel& spiel, bool heim)
{
    const QString& text = s.text(heim ? spiel.homeChoice : spiel.guestChoice);
    for (const char* item : wahlItems(spiel, heim))
        if (text == QLatin1String(item))
            return zeileZuPosition(text);
    return nullptr;
}

}  // namespace klw
