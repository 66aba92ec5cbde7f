#include <QDateTime>
#include <QStringList>
#include <optional>
#include <stdexcept>

#include "base/text.h"
#include "data/abfragen.h"
#include "data/dm_sys.h"
#include "data/player_entry.h"
#include "data/schreibfehler.h"
#include "dbengine/transaction.h"
#include "sheet/context.h"
#include "snapshots/snapshots.h"
#include "snapshots/spalten.h"

namespace klw {

namespace {

void spalteSetzen(db::Dataset& q, const SnapshotColumn& spalte, const Spielbogen& s)
{
    db::Field f = q.fieldByName(spalte.spalte);
    switch (spalte.art) {
    case ColumnKind::Text:
    case ColumnKind::Date:  // the date column takes DD.MM.YYYY and refuses anything else
        f.setAsString(s.text(spalte.feld));
        break;
    case ColumnKind::Number:
        f.setAsInteger(s.number(spalte.feld));
        break;
    }
}

}  // namespace

int MaxLfdNr(Context& c)
{
    db::Dataset Q_LFDNR(c.abfragen.ABSDatabase1);
    c.DM_SYS.ABSQueryOpen(Q_LFDNR, QStringLiteral("select max(LFDNRI)LFDNRI from SICHERUNG"));
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
    for (FieldId kopf : std::array<FieldId, 4>{"f_Heimteam", "f_gastteam", "f_liga", "f_spieltag"}) {
        if (isBlank(s.text(kopf)))
            return;
    }
    TDM_SYS& dm = c.DM_SYS;
    db::Dataset& Q_SICH = c.abfragen.Q_SICH;

    const QDateTime jetzt = c.now();
    QStringList mitgliederFehler;
    try {
        // Numbering and row are one transaction: a second program cannot take the same
        // number, and a crash leaves the whole row or none of it. Members whose write
        // failed before go in first, so that a restore finds their names.
        db::Transaction transaktion(c.abfragen.ABSDatabase1);
        mitgliederFehler = MitgliederNachtragen(c);
        if (!transaktion.active())
            throw Schreibfehler(
                (QStringLiteral("Die Sicherung wurde nicht gespeichert.\n\r") + mitgliederFehler.value(0))
                    .toStdString());
        if (dm.ABSQueryOpen(Q_SICH, QStringLiteral("select * from SICHERUNG where 1 = 2")) != 0)
            return;
        try {
            dm.ABSQueryEdit(Q_SICH);
        } catch (const std::exception&) {}
        try {
            dm.ABSQueryAppend(Q_SICH, QStringLiteral("SICHERUNG"), QStringLiteral("SAISONX"));
            Q_SICH.fieldByName(QStringLiteral("LFDNRI")).setAsInteger(MaxLfdNr(c));
            Q_SICH.fieldByName(QStringLiteral("SAISONX")).setAsString(s.Saison);
            for (const SnapshotColumn& spalte : snapshotColumns())
                spalteSetzen(Q_SICH, spalte, s);
            Q_SICH.fieldByName(QStringLiteral("GESPEICHERTD")).setAsDateTime(jetzt);
            // Posted directly rather than through the flag of ABSQueryPost: a save that
            // fails (the file locked too long, the disk full) must say why instead of vanishing.
            Q_SICH.post();
            transaktion.commit();
        } catch (...) {
            Q_SICH.close();
            throw;
        }
    } catch (const Schreibfehler&) {
        throw;
    } catch (const std::exception& e) {
        throw Schreibfehler(
            writeFailureText(QStringLiteral("Die Sicherung wurde nicht gespeichert."), e).toStdString());
    }
    s.setText("l_sicherung", QStringLiteral("letzte Sicherung: ") + jetzt.toString(QStringLiteral("dd.MM.yyyy hh.mm")));
    if (!mitgliederFehler.isEmpty()) {
        // Shown like an autosave's failure: a tick while the box is open does nothing.
        const bool offen = c.autosaveFehlerOffen;
        c.autosaveFehlerOffen = true;
        c.dialogs.error(mitgliederFehler.join(QStringLiteral("\n\r")));
        c.autosaveFehlerOffen = offen;
    }
}

void bt_sicherungClick(Context& c, ControlId)
{
    SicherungErstellen(c);
}

void Timer1Timer(Context& c, ControlId)
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
