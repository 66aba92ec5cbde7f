#include "output/ergebnispruefung.h"

#include "scoring/scoring.h"
#include "sheet/spielbogen.h"
#include "sheet/tables.h"

namespace klw {

std::optional<PrintQuestion> printQuestion(const Spielbogen& s)
{
    int offen = 0;
    std::optional<FieldId> erstesOffenes;
    for (const Game& spiel : kGameTable) {
        if (spiel.isDoubles() && !s.MitDoppel)
            continue;
        if (SpielEntschieden(s, spiel))
            continue;
        if (offen++ == 0)
            erstesOffenes = spiel.homeSets;
    }
    if (offen == 1)
        return PrintQuestion{QStringLiteral("1 Spiel hat noch kein Ergebnis. Trotzdem drucken?"), *erstesOffenes};
    if (offen > 1)
        return PrintQuestion{QStringLiteral("%1 Spiele haben noch kein Ergebnis. Trotzdem drucken?").arg(offen),
                             *erstesOffenes};

    const int heim = s.number("Edit49");
    const int gast = s.number("Edit84");
    const int gewaehlt = s.itemIndex("rg_ergebnis");
    if (gewaehlt == ErgebnisAusSpielen(heim, gast))
        return std::nullopt;
    const QString grund =
        gewaehlt < 0 ? QStringLiteral("Es ist kein Ergebnis gewählt.")
                     : QStringLiteral("Das gewählte Ergebnis passt nicht zum Endstand %1 : %2.").arg(heim).arg(gast);
    return PrintQuestion{grund + QStringLiteral(" Trotzdem drucken?"), "rg_ergebnis"};
}

}  // namespace klw
