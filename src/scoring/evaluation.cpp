// Evaluation of one game when its guest-sets field is left: the two sets values are checked,
// the game points written, and the players' points and the totals recomputed.
#include "scoring/scoring.h"
#include "sheet/context.h"
#include "sheet/tables.h"

namespace klw {

namespace {

const QString kSaetzeUngueltig = QStringLiteral("Sätze nur zwischen 0 und 2 zulässig!");

// A sets value is valid when, as a string, it sorts neither before "0" nor after "2". For
// the one character the field takes that is exactly "0", "1" or "2"; a longer text written
// by the program is judged by the same comparison.
bool gueltigeSaetze(const QString& saetze)
{
    return saetze.compare(QLatin1String("0")) >= 0 && saetze.compare(QLatin1String("2")) <= 0;
}

void SaetzePruefen(Context& c, FieldId feld)
{
    if (gueltigeSaetze(c.sheet.text(feld)))
        return;
    c.dialogs.information(kSaetzeUngueltig);
    c.sheet.setText(feld, QStringLiteral("0"));
    // A hidden doubles field (evaluated by a restore) cannot take the focus; the game is
    // decided all the same.
    c.focus.focusIfPossible(feld);
}

void SpielAuswerten(Context& c, const Game& spiel)
{
    Spielbogen& s = c.sheet;
    if (s.text(spiel.homeSets).isEmpty() || s.text(spiel.guestSets).isEmpty()) {
        s.setText(spiel.homePoint, QString());
        s.setText(spiel.guestPoint, QString());
        return;
    }
    s.setText(spiel.homePoint, QStringLiteral("0"));
    s.setText(spiel.guestPoint, QStringLiteral("0"));
    SaetzePruefen(c, spiel.homeSets);
    SaetzePruefen(c, spiel.guestSets);

    const QString& heim = s.text(spiel.homeSets);
    const QString& gast = s.text(spiel.guestSets);
    // The guest's win is tested first, so "2" against "2" goes to the home side.
    if ((heim == QLatin1String("0") || heim == QLatin1String("1")) && gast == QLatin1String("2"))
        s.setText(spiel.guestPoint, QStringLiteral("1"));
    else if (heim == QLatin1String("2"))
        s.setText(spiel.homePoint, QStringLiteral("1"));
}

}  // namespace

bool SpielEntschieden(const Spielbogen& s, const Game& spiel)
{
    return s.text(spiel.homePoint) == QLatin1String("1") || s.text(spiel.guestPoint) == QLatin1String("1");
}

void Edit56Exit(Context& c, ControlId sender)
{
    if (const Game* spiel = gameWithGuestSets(sender))
        SpielAuswerten(c, *spiel);
    EinzelpunkteErrechnen(c);
    EnddstandErrechnen(c);
}

}  // namespace klw
