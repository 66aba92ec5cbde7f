#include <QDateTime>
#include <optional>
#include <sqlite3.h>
#include <stdexcept>

#include "data/abfragen.h"
#include "data/dm_sys.h"
#include "dbengine/error.h"
#include "dbengine/transaction.h"
#include "sheet/context.h"
#include "snapshots/snapshots.h"
#include "snapshots/spalten.h"

namespace klw {

namespace {

void abfragenPruefen(const Context& c)
{
    if (!c.DM_SYS || !c.abfragen)
        throw std::logic_error("snapshots need the database queries");
}

void spalteSetzen(db::Dataset& q, const Sicherungsspalte& spalte, const Spielbogen& s)
{
    db::Field f = q.fieldByName(spalte.spalte);
    switch (spalte.art) {
    case Spaltenart::Text:
    case Spaltenart::Datum:  // the date column takes DD.MM.YYYY and refuses anything else
        f.setAsString(s.text(spalte.feld));
        break;
    case Spaltenart::Zahl:
        f.setAsInteger(s.number(spalte.feld));
        break;
    }
}

// A query whose result is not read to its end keeps reading the file as it was when the
// query ran. Once another program has written to the file since, that old state cannot be
// written to; reading the window's queries to their ends lets the save go on the file as
// it is now.
void schreibenAufNeuestemStand(Context& c, std::optional<db::Transaction>& transaktion)
{
    db::Connection& db = c.abfragen->ABSDatabase1;
    try {
        transaktion.emplace(db);
    } catch (const db::Error& e) {
        if (e.code() != SQLITE_BUSY_SNAPSHOT)
            throw;
        Abfragen& q = *c.abfragen;
        for (db::Dataset* abfrage : {&q.Q_SPIELER, &q.Q_SB, &q.Q_LIGA, &q.Q_DELETE, &q.Q_LESEN, &q.Q_SICH})
            abfrage->recordCount();
        transaktion.emplace(db);
    }
}

}  // namespace

int MaxLfdNr(Context& c)
{
    abfragenPruefen(c);
    db::Dataset Q_LFDNR(c.abfragen->ABSDatabase1);
    c.DM_SYS->ABSQueryOpen(Q_LFDNR, QStringLiteral("select max(LFDNRI)LFDNRI from SICHERUNG"));
    try {
        const int hoechste = Q_LFDNR.fieldByName(QStringLiteral("LFDNRI")).asInteger();
        return hoechste > 0 ? hoechste + 1 : 1;
    } catch (const std::exception&) {
        return 1;
    }
}

void SicherungErstellen(Context& c)
{
    Spielbogen& s = c.sheet;
    for (const char* kopf : {"f_Heimteam", "f_gastteam", "f_liga", "f_spieltag"}) {
        if (s.text(kopf).trimmed().isEmpty())
            return;
    }
    abfragenPruefen(c);
    TDM_SYS& dm = *c.DM_SYS;
    db::Dataset& Q_SICH = c.abfragen->Q_SICH;

    // Numbering and row are one transaction: a second program cannot take the same number,
    // and a crash leaves the whole row or none of it.
    std::optional<db::Transaction> transaktion;
    schreibenAufNeuestemStand(c, transaktion);
    if (dm.ABSQueryOpen(Q_SICH, QStringLiteral("select * from SICHERUNG where 1 = 2")) != 0)
        return;
    try {
        dm.ABSQueryEdit(Q_SICH);
    } catch (const std::exception&) {
    }
    const QDateTime jetzt = c.now();
    try {
        dm.ABSQueryAppend(Q_SICH, QStringLiteral("SICHERUNG"), QStringLiteral("SAISONX"));
        Q_SICH.fieldByName(QStringLiteral("LFDNRI")).setAsInteger(MaxLfdNr(c));
        Q_SICH.fieldByName(QStringLiteral("SAISONX")).setAsString(s.Saison);
        for (const Sicherungsspalte& spalte : Sicherungsspalten())
            spalteSetzen(Q_SICH, spalte, s);
        Q_SICH.fieldByName(QStringLiteral("GESPEICHERTD")).setAsDateTime(jetzt);
        // Posted directly rather than through the flag of ABSQueryPost: a save that fails
        // (the file locked too long, the disk full) must say why instead of vanishing.
        Q_SICH.post();
        transaktion->commit();
    } catch (const std::exception&) {
        Q_SICH.close();
        throw;
    }
    s.setText("l_sicherung", QStringLiteral("letzte Sicherung: ") + jetzt.toString(QStringLiteral("dd.MM.yyyy hh.mm")));
}

void bt_sicherungClick(Context& c, const QString&)
{
    SicherungErstellen(c);
}

void Timer1Timer(Context& c, const QString&)
{
    if (c.autosaveFehlerOffen)
        return;
    try {
        SicherungErstellen(c);
    } catch (const std::exception& e) {
        c.autosaveFehlerOffen = true;
        c.dialogs.error(QString::fromUtf8(e.what()));
        c.autosaveFehlerOffen = false;
    }
}

}  // namespace klw
