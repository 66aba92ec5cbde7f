// The final score over all eighteen games and the match result preselected from it.
#include "scoring/scoring.h"
#include "sheet/context.h"
#include "sheet/tables.h"

namespace klw {

namespace {

// The doubles are always summed, also while they are hidden.
int summe(const Spielbogen& s, FieldId Game::*feld)
{
    int n = 0;
    for (const Game& spiel : kGameTable)
        n += s.number(spiel.*feld);
    return n;
}

}  // namespace

void EnddstandErrechnen(Context& c)
{
    Spielbogen& s = c.sheet;
    s.setText("Edit50", QString::number(summe(s, &Game::homeSets)));
    s.setText("Edit85", QString::number(summe(s, &Game::guestSets)));
    // Each of the two writes raises Edit49Change when it really changes its field.
    s.setText("Edit49", QString::number(summe(s, &Game::homePoint)));
    s.setText("Edit84", QString::number(summe(s, &Game::guestPoint)));

    const int spiele = s.number("Edit49") + s.number("Edit84");
    if (s.MitDoppel && spiele > 18)
        c.dialogs.information(QStringLiteral("Der Enddstand ergibt keine 18 Spiele!"));
    else if (!s.MitDoppel && spiele > 16)
        c.dialogs.information(QStringLiteral("Der Enddstand ergibt keine 16 Spiele!"));
}

int ErgebnisAusSpielen(int heim, int gast)
{
    return heim > gast ? 0 : heim == gast ? 1 : 2;
}

void Edit49Change(Context& c, ControlId)
{
    Spielbogen& s = c.sheet;
    if (s.text("Edit49").isEmpty() || s.text("Edit84").isEmpty())
        return;
    const int heim = s.number("Edit49");
    const int gast = s.number("Edit84");
    // The threshold is 8 games in both modes; any other pair leaves the selection, whether
    // the program or the user made it.
    if (heim > 8 && gast < 8)
        s.setItemIndex("rg_ergebnis", 0);
    else if (heim < 8 && gast > 8)
        s.setItemIndex("rg_ergebnis", 2);
    else if (heim == 8 && gast == 8)
        s.setItemIndex("rg_ergebnis", 1);
}

}  // namespace klw
