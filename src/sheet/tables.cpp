#include "sheet/tables.h"

#include <QLatin1String>

namespace klw {

const Spielerzeile* zeileZuPosition(QStringView position)
{
    for (const auto& zeile : Spielerzeilen)
        if (position == QLatin1String(zeile.position))
            return &zeile;
    return nullptr;
}

const Spiel* spielMitGastSaetzen(ControlId guestSetsField)
{
    for (const auto& spiel : Spiele)
        if (guestSetsField == spiel.guestSets)
            return &spiel;
    return nullptr;
}

const Spiel* spielMitWahl(ControlId choiceField)
{
    for (const auto& spiel : Einzelspiele)
        if (choiceField == spiel.homeChoice || choiceField == spiel.guestChoice)
            return &spiel;
    return nullptr;
}

std::array<const char*, 3> wahlItems(const Spiel& spiel, bool home)
{
    if (home)
        return {spiel.homePosition, "H5", "H6"};
    return {spiel.guestPosition, "G5", "G6"};
}

}  // namespace klw
