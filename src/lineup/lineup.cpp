// Line-up of the singles: each game line shows who plays it. The transfer writes all
// sixteen lines from the schedule; a game's choices rewrite its own line.
#include "lineup/lineup.h"

#include <span>

#include "base/text.h"
#include "lineup/older_snapshots.h"
#include "sheet/context.h"
#include "sheet/tables.h"
#include "sheet/wahl.h"

namespace klw {

namespace {

const QString kTrenner = QStringLiteral(" - ");
const QString kTeamsGleich = QStringLiteral("Gast- und Heimteam sind gleich!\n\rÄndern Sie die Daten!");
const QString kSchonUebergeben =
    QStringLiteral("Die Spielernamen wurden schon übergeben.\n\r"
                   "Duch eine erneute Übergabe, werden ggf. Auswechslungen überschrieben.\n\r\n\r"
                   "Übergabe abbrechen?");
const QString kHeimDoppelt =
    QStringLiteral("Es wurde ein Spieler des Heimteams doppelt eingetragen!\n\rÜberprüfen Sie Ihre Eingaben");
const QString kGastDoppelt =
    QStringLiteral("Es wurde ein Spieler des Gastteams doppelt eingetragen!\n\rÜberprüfen Sie Ihre Eingaben");

// The choice rule: both choices name one of their items, so the line shows the two
// nicknames as they stand, even when empty. Anything typed leaves the line alone.
void SpielzeileAusWahl(Context& c, ControlId sender)
{
    const Game* spiel = gameWithChoice(sender);
    if (!spiel)
        return;
    Spielbogen& s = c.sheet;
    const PlayerRow* heim = chosenRow(s, *spiel, true);
    const PlayerRow* gast = chosenRow(s, *spiel, false);
    if (!heim || !gast)
        return;
    s.setText(*spiel->line, s.text(heim->nickname) + kTrenner + s.text(gast->nickname));
}

bool keinNameDoppelt(const Spielbogen& s, std::span<const PlayerRow, 6> zeilen)
{
    for (size_t i = 0; i < zeilen.size(); ++i) {
        const QString& name = s.text(zeilen[i].name);
        if (name.isEmpty())
            continue;
        for (size_t j = i + 1; j < zeilen.size(); ++j)
            if (name == s.text(zeilen[j].name))
                return false;
    }
    return true;
}

// The nickname, unless it is blank; then the name.
QString anzeigename(const Spielbogen& s, const char* position)
{
    const PlayerRow* zeile = rowAtPosition(QString::fromLatin1(position));
    const QString& rufname = s.text(zeile->nickname);
    return isBlank(rufname) ? s.text(zeile->name) : rufname;
}

bool TeamsGleich(const Spielbogen& s)
{
    const QString& heim = s.text("f_Heimteam");
    const QString& gast = s.text("f_gastteam");
    return !isBlank(heim) && !isBlank(gast) && heim == gast;
}

// The checks that a restore skips. False when the transfer is to stop.
bool UebergabePruefen(Context& c)
{
    if (c.sheet.NamenUebergeben && c.dialogs.confirm(kSchonUebergeben))
        return false;
    if (!HeimSpielerPruefen(c)) {
        c.dialogs.information(kHeimDoppelt);
        return false;
    }
    if (!GastSpielerPruefen(c)) {
        c.dialogs.information(kGastDoppelt);
        return false;
    }
    SicherungObVorhandenPruefen(c);
    return true;
}

}  // namespace

void ComboBox1Exit(Context& c, ControlId sender)
{
    SpielzeileAusWahl(c, sender);
}

void ComboBox1Click(Context& c, ControlId sender)
{
    SpielzeileAusWahl(c, sender);
}

bool HeimSpielerPruefen(const Context& c)
{
    return keinNameDoppelt(c.sheet, kHomeRows);
}

bool GastSpielerPruefen(const Context& c)
{
    return keinNameDoppelt(c.sheet, kGuestRows);
}

void bt_namenuebernehmen2Click(Context& c, ControlId)
{
    Spielbogen& s = c.sheet;
    if (TeamsGleich(s)) {
        c.dialogs.information(kTeamsGleich);
        return;
    }
    if (!s.SicherungGeladen && !UebergabePruefen(c))
        return;
    s.NamenUebergeben = true;
    // From the schedule, not from the choices: a substitute's line shows the scheduled
    // player again until one of its choices is left or picked.
    for (const Game& spiel : kSingles)
        s.setText(*spiel.line, anzeigename(s, spiel.homePosition) + kTrenner + anzeigename(s, spiel.guestPosition));
    c.focus.focusIfPossible("Edit9");
}

}  // namespace klw
