#include "data/player_entry.h"

#include <exception>

#include "base/text.h"
#include "data/abfragen.h"
#include "data/dm_sys.h"
#include "data/lookups.h"
#include "data/schreibfehler.h"
#include "sheet/context.h"
#include "sheet/tables.h"

namespace klw {

namespace {

const PlayerRow* zeileMitName(ControlId field)
{
    const PlayerRow* zeile = rowWith(&PlayerRow::name, field);
    return zeile ? zeile : rowWith(&PlayerRow::nickname, field);
}

QString neuesMitgliedFehlt(const QString& passnr)
{
    return QStringLiteral("Das neue Mitglied mit der Passnummer %1 wurde nicht gespeichert.").arg(passnr);
}

QString namenFehlen(const QString& passnr)
{
    return QStringLiteral("Name und Rufname des Mitglieds mit der Passnummer %1 wurden nicht gespeichert. "
                          "Sie bleiben im Spielbogen und werden erneut gespeichert.")
        .arg(passnr);
}

// First and last name of a name as the sheet has it: the last word is the surname.
std::pair<QString, QString> vorUndNachname(const QString& name)
{
    const QString n = name.simplified();
    const qsizetype blank = n.lastIndexOf(QLatin1Char(' '));
    return blank < 0 ? std::pair{QString(), n} : std::pair{n.left(blank), n.mid(blank + 1)};
}

void setzen(db::Dataset& q, const char* spalte, const QString& text)
{
    q.fieldByName(QString::fromLatin1(spalte)).setAsString(text);
}

QString gelesen(db::Dataset& q, const char* spalte)
{
    return q.fieldByName(QString::fromLatin1(spalte)).asString();
}

// Writes the row into its member record: name, nickname, and the sheet's team and league
// where the sheet has them. First and last name follow the name for a member that was
// entered on the sheet (no names of its own, or the ones taken from its name before). A
// missing member is created when `anlegen`. False when there is no member to write; a
// failure is thrown.
bool zeileSchreiben(Context& c, const PlayerRow& z, bool anlegen)
{
    const Spielbogen& s = c.sheet;
    const QString& passnr = s.text(z.passNr);
    db::Dataset& q = c.abfragen.Q_SPIELER;
    const bool gefunden = SpielerLesen(c, passnr) == 1;
    if (!gefunden && !anlegen)
        return false;
    try {
        bool namenAusDemNamen = true;
        if (gefunden) {
            const QString bisher =
                QString(gelesen(q, "VORNAME") + QLatin1Char(' ') + gelesen(q, "NACHNAME")).simplified();
            namenAusDemNamen = bisher.isEmpty() || bisher == gelesen(q, "NAME").simplified();
            c.DM_SYS.ABSQueryEdit(q);
        } else {
            if (!q.isOpen())
                c.DM_SYS.ABSQueryOpen(q, QStringLiteral("select * from Mitglied where 1 = 2"));
            q.append();
            setzen(q, "PASSNR", passnr);
        }
        const QString& name = s.text(z.name);
        if (!name.isEmpty()) {
            setzen(q, "NAME", name);
            setzen(q, "NICKNAMEX", s.text(z.nickname));
            if (namenAusDemNamen) {
                const auto [vorname, nachname] = vorUndNachname(name);
                setzen(q, "VORNAME", vorname);
                setzen(q, "NACHNAME", nachname);
            }
        }
        // A header not filled in yet must not take the member's team and league away.
        if (!isBlank(s.text(z.teamField)))
            setzen(q, "TEAM", s.text(z.teamField));
        if (!isBlank(s.text("f_liga")))
            setzen(q, "LIGA", s.text("f_liga"));
        q.post();
    } catch (...) {
        q.cancel();
        throw;
    }
    return true;
}

}  // namespace

void f_h1pnrExit(Context& c, ControlId sender)
{
    const PlayerRow* zeile = rowWith(&PlayerRow::passNr, sender);
    if (!zeile)
        return;
    Spielbogen& s = c.sheet;
    // Used as typed: " 123" and "123" are different pass numbers.
    const QString passnr = s.text(zeile->passNr);
    if (passnr.isEmpty())
        return;
    if (SpielerLesen(c, passnr) == 1) {
        db::Dataset& q = c.abfragen.Q_SPIELER;
        s.setText(zeile->name, q.fieldByName(QStringLiteral("NAME")).asString());
        s.setText(zeile->nickname, q.fieldByName(QStringLiteral("NICKNAMEX")).asString());
        return;
    }
    // A member that cannot be created is reported for every row alike; the name typed next
    // is kept on the sheet and stored with the member once the file takes it.
    try {
        SpielerAnlegen(c, passnr);
        c.offeneMitglieder.remove(zeile->passNr);
    } catch (const std::exception& e) {
        c.offeneMitglieder.insert(zeile->passNr);
        c.dialogs.error(writeFailureText(neuesMitgliedFehlt(passnr), e));
    }
    c.focus.focusIfPossible(zeile->name);
}

void f_h1nameExit(Context& c, ControlId sender)
{
    const PlayerRow* zeile = zeileMitName(sender);
    if (!zeile)
        return;
    const Spielbogen& s = c.sheet;
    const QString& passnr = s.text(zeile->passNr);
    if (passnr.isEmpty() || s.text(zeile->name).isEmpty())
        return;
    const FieldId row = zeile->passNr;
    try {
        zeileSchreiben(c, *zeile, c.offeneMitglieder.contains(row));
        c.offeneMitglieder.remove(row);
    } catch (const std::exception& e) {
        // The member keeps its old record; the sheet keeps what was typed.
        c.offeneMitglieder.insert(row);
        c.dialogs.error(writeFailureText(namenFehlen(passnr), e));
    }
}

QStringList MitgliederNachtragen(Context& c)
{
    QStringList fehler;
    if (c.offeneMitglieder.isEmpty())
        return fehler;
    db::Connection& db = c.abfragen.ABSDatabase1;
    for (const PlayerRow& z : kPlayerRows) {
        const FieldId row = z.passNr;
        if (!c.offeneMitglieder.contains(row))
            continue;
        const QString& passnr = c.sheet.text(z.passNr);
        if (passnr.isEmpty()) {
            c.offeneMitglieder.remove(row);
            continue;
        }
        try {
            db.execute(QStringLiteral("savepoint mitglied"));
            try {
                zeileSchreiben(c, z, true);
                db.execute(QStringLiteral("release mitglied"));
            } catch (...) {
                // A full disk may already have rolled the whole transaction back.
                try {
                    db.execute(QStringLiteral("rollback to mitglied; release mitglied"));
                } catch (const std::exception&) {}
                throw;
            }
            c.offeneMitglieder.remove(row);
        } catch (const std::exception& e) {
            fehler << writeFailureText(
                c.sheet.text(z.name).isEmpty() ? neuesMitgliedFehlt(passnr) : namenFehlen(passnr), e);
        }
    }
    return fehler;
}

}  // namespace klw
