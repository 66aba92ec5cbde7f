#include "sheet/tables.h"

#include <QLatin1String>

namespace klw {

const PlayerRow* rowAtPosition(QStringView position)
{
    for (const auto& zeile : kPlayerRows)
        if (position == QLatin1String(zeile.position))
            return &zeile;
    return nullptr;
}

const Game* gameWithGuestSets(ControlId guestSetsField)
{
    for (const auto& spiel : kGameTable)
        if (guestSetsField == spiel.guestSets)
            return &spiel;
    return nullptr;
}

const Game* gameWithChoice(ControlId choiceField)
{
    for (const auto& spiel : kSingles)
        if (choiceField == spiel.homeChoice || choiceField == spiel.guestChoice)
            return &spiel;
    return nullptr;
}

std::array<const char*, 3> choiceItems(const Game& spiel, bool home)
{
    if (home)
        return {spiel.homePosition, "H5", "H6"};
    return {spiel.guestPosition, "G5", "G6"};
}

}  // namespace klw
