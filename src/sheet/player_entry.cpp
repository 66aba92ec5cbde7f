#include "sheet/player_entry.h"

#include <exception>

#include "data/abfragen.h"
#include "data/dm_sys.h"
#include "data/lookups.h"
#include "sheet/context.h"
#include "sheet/tables.h"

namespace klw {

namespace {

const Spielerzeile* zeileMitPassNr(const QString& field)
{
    for (const Spielerzeile& z : Spielerzeilen)
        if (field == QLatin1String(z.passNr))
            return &z;
    return nullptr;
}

const Spielerzeile* zeileMitName(const QString& field)
{
    for (const Spielerzeile& z : Spielerzeilen)
        if (field == QLatin1String(z.name) || field == QLatin1String(z.rufname))
            return &z;
    return nullptr;
}

}  // namespace

void f_h1pnrExit(Context& c, const QString& sender)
{
    const Spielerzeile* zeile = zeileMitPassNr(sender);
    if (!zeile)
        return;
    Spielbogen& s = c.sheet;
    // Used as typed: " 123" and "123" are different pass numbers.
    const QString passnr = s.text(zeile->passNr);
    if (passnr.isEmpty())
        return;
    if (SpielerLesen(c, passnr) == 1) {
        db::Dataset& q = c.abfragen->Q_SPIELER;
        s.setText(zeile->name, q.fieldByName(QStringLiteral("NAME")).asString());
        s.setText(zeile->rufname, q.fieldByName(QStringLiteral("NICKNAMEX")).asString());
        return;
    }
    // A member that cannot be created is reported for every row alike; the user then
    // knows that the name typed next will not be kept.
    SpielerAnlegen(c, passnr);
    c.focus.focusIfPossible(zeile->name);
}

void f_h1nameExit(Context& c, const QString& sender)
{
    const Spielerzeile* zeile = zeileMitName(sender);
    if (!zeile)
        return;
    const Spielbogen& s = c.sheet;
    const QString& passnr = s.text(zeile->passNr);
    if (passnr.isEmpty() || s.text(zeile->name).isEmpty())
        return;
    if (SpielerLesen(c, passnr) != 1)
        return;
    db::Dataset& q = c.abfragen->Q_SPIELER;
    try {
        c.DM_SYS->ABSQueryEdit(q);
        q.fieldByName(QStringLiteral("NAME")).setAsString(s.text(zeile->name));
        q.fieldByName(QStringLiteral("TEAM")).setAsString(s.text(zeile->teamField));
        q.fieldByName(QStringLiteral("LIGA")).setAsString(s.text(QStringLiteral("f_liga")));
        q.fieldByName(QStringLiteral("NICKNAMEX")).setAsString(s.text(zeile->rufname));
        c.DM_SYS->ABSQueryPost(q);
    } catch (const std::exception&) {
        // The member keeps its old record; the sheet keeps what was typed.
        q.cancel();
    }
}

}  // namespace klw
