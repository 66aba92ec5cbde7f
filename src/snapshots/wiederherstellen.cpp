// The restore: a stored snapshot back into the sheet, with everything that is not stored
// (names, game lines, points, totals, result) looked up or recomputed on the way.
#include "data/abfragen.h"
#include "data/dm_sys.h"
#include "data/player_entry.h"
#include "data/statement.h"
#include "lineup/lineup.h"
#include "scoring/scoring.h"
#include "sheet/context.h"
#include "sheet/tables.h"
#include "snapshots/snapshots.h"
#include "snapshots/spalten.h"

namespace klw {

namespace {

QString zahlText(db::Dataset& q, const QString& spalte)
{
    return QString::number(q.fieldByName(spalte).asInteger());
}

QString text(db::Dataset& q, const QString& spalte)
{
    return q.fieldByName(spalte).asString();
}

// A stored choice comes back as the pick it was made by: the item its text names is
// selected. A text that is none of the items comes back as typed, without a selection.
void wahlHerstellen(Spielbogen& s, FieldId wahl, const QString& text)
{
    const int item = s.def(wahl).items.indexOf(text);
    if (item >= 0)
        s.selectItem(wahl, item);
    else
        s.setText(wahl, text);
}

bool mitErsatzspieler(const Spielbogen& s, const Game& spiel)
{
    return s.selectedItem(spiel.homeChoice) > 0 || s.selectedItem(spiel.guestChoice) > 0;
}

}  // namespace

void SicherungHerstellen(Context& c)
{
    Spielbogen& s = c.sheet;
    db::Dataset& Q_LESEN = c.abfragen.Q_LESEN;

    const int lfdNr = Q_LESEN.isEmpty() ? 0 : Q_LESEN.fieldByName(QStringLiteral("LFDNRI")).asInteger();
    if (c.DM_SYS.ABSQueryOpen(Q_LESEN,
                              QStringLiteral("select * from SICHERUNG ") + Format(u" where LFDNRI = %d ", lfdNr)) == 0)
        return;

    s.Saison = text(Q_LESEN, QStringLiteral("SAISONX"));
    s.setText("f_liga", text(Q_LESEN, QStringLiteral("LIGAX")));
    s.setText("f_spieltag", zahlText(Q_LESEN, QStringLiteral("SPIELTAGI")));
    s.setText("f_datum", text(Q_LESEN, QStringLiteral("DATUMD")));
    s.setText("f_Heimteam", text(Q_LESEN, QStringLiteral("HTEAMX")));
    s.setText("f_gastteam", text(Q_LESEN, QStringLiteral("GTEAMX")));
    s.setText("m_bemerkung", text(Q_LESEN, QStringLiteral("BEMERKUNGX")));
    s.setText("f_ort", text(Q_LESEN, kOrtSpalte));  // empty in a snapshot from before it was kept

    // Names and nicknames come from the member records again, as if each pass number had
    // just been typed and left.
    for (const PlayerRow& zeile : kPlayerRows) {
        s.setText(zeile.passNr, text(Q_LESEN, passNumberColumn(zeile)));
        f_h1pnrExit(c, zeile.passNr);
    }
    bt_namenuebernehmen2Click(c, "bt_namenuebernehmen2");

    // The stored line-up as the picks it was made by. The transfer wrote the scheduled
    // players into every line; a game with a substitute gets the line its pick wrote, so
    // that line, points and printed pairing all name who played.
    for (const Game& spiel : kSingles) {
        wahlHerstellen(s, spiel.homeChoice, text(Q_LESEN, choiceColumn(spiel, true)));
        wahlHerstellen(s, spiel.guestChoice, text(Q_LESEN, choiceColumn(spiel, false)));
        if (mitErsatzspieler(s, spiel))
            ComboBox1Click(c, spiel.homeChoice);
    }
    for (const Game& spiel : kSingles) {
        s.setText(spiel.homeSets, zahlText(Q_LESEN, setsColumn(spiel, true)));
        s.setText(spiel.guestSets, zahlText(Q_LESEN, setsColumn(spiel, false)));
        Edit56Exit(c, spiel.guestSets);
    }

    for (const Game& doppel : kDoubles) {
        const DoublesColumns d = doublesColumns(doppel);
        s.setText(doppel.homeChoice, text(Q_LESEN, d.heimPaar));
        s.setText(doppel.guestChoice, text(Q_LESEN, d.gastPaar));
    }
    for (const Game& doppel : kDoubles) {
        const DoublesColumns d = doublesColumns(doppel);
        s.setText(doppel.homePoint, zahlText(Q_LESEN, d.heimSpiele));
        s.setText(doppel.guestPoint, zahlText(Q_LESEN, d.gastSpiele));
    }
    for (const Game& doppel : kDoubles) {
        const DoublesColumns d = doublesColumns(doppel);
        s.setText(doppel.homeSets, zahlText(Q_LESEN, d.heimSaetze));
        s.setText(doppel.guestSets, zahlText(Q_LESEN, d.gastSaetze));
    }
    for (const Game& doppel : kDoubles)
        Edit56Exit(c, doppel.guestSets);

    bt_schliessen3Click(c, "bt_laden");
}

}  // namespace klw
