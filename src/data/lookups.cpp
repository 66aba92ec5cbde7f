#include "data/lookups.h"

#include <exception>

#include "data/abfragen.h"
#include "data/dm_sys.h"
#include "data/statement.h"
#include "scoring/scoring.h"
#include "sheet/context.h"

namespace klw {

namespace {

const QString kTeamsGleich = QStringLiteral("Heim- und Gastteam müssen unterschiedlich sein!");

struct Kontakt {
    QString vorname;
    QString nachname = kVerbandName;
    QString telefon = kVerbandTelefon;
    QString fax;
    QString email = kVerbandEmail;

    QString zeile() const
    {
        return vorname + QStringLiteral(" ") + nachname + QStringLiteral("; ") + QStringLiteral("Tele.: ") + telefon +
               QStringLiteral("; ") + QStringLiteral("E-Mail: ") + email;
    }
};

QString feld(db::Dataset& set, const char* name)
{
    return set.fieldByName(QString::fromLatin1(name)).asString();
}

}  // namespace

int LigaLesen(Context& c, const QString& liga)
{
    try {
        return c.DM_SYS.ABSQueryOpen(c.abfragen.Q_LIGA,
                                     QStringLiteral("select * from LIGA") + Format(u" where LIGAX = '%s' ", liga));
    } catch (const std::exception&) {
        return 0;
    }
}

int SpielerLesen(Context& c, const QString& passnr)
{
    try {
        return c.DM_SYS.ABSQueryOpen(c.abfragen.Q_SPIELER, QStringLiteral("select * from Mitglied") +
                                                               Format(u" where PASSNR = '%s' ", passnr));
    } catch (const std::exception&) {
        return 0;
    }
}

int TabelleSachbearbeiterLesen(Context& c, db::Dataset& query, const QString& kz)
{
    return c.DM_SYS.ABSQueryOpen(query,
                                 QStringLiteral("select * from SACHBEARBEITER") + Format(u" where KZX = '%s' ", kz));
}

int SachbearbeiterLesen(Context& c, const QString& kz)
{
    c.sheet.setText("l_ligabearbeiter", QString());
    Kontakt k;
    int gefunden = 0;
    try {
        gefunden = TabelleSachbearbeiterLesen(c, c.abfragen.Q_SB, kz);
        if (gefunden == 1) {
            db::Dataset& sb = c.abfragen.Q_SB;
            db::Dataset& liga = c.abfragen.Q_LIGA;
            // The league's own contact numbers come before the official's.
            db::Dataset& kontakt = liga.isOpen() ? liga : sb;
            k.vorname = feld(sb, "VNAMEX");
            k.nachname = feld(sb, "NNAMEX");
            k.telefon = feld(kontakt, "TELEFONX");
            k.fax = feld(kontakt, "FAXX");
            k.email = feld(kontakt, "EMAILX");
        }
    } catch (const std::exception&) {}
    c.sheet.setText("l_ligabearbeiter", k.zeile());
    return gefunden;
}

void SpielerAnlegen(Context& c, const QString& passnr)
{
    TDM_SYS& dm = c.DM_SYS;
    db::Dataset& q = c.abfragen.Q_SPIELER;
    dm.ABSQueryOpen(q, QStringLiteral("select * from Mitglied"));
    dm.ABSQueryEdit(q);
    dm.ABSQueryAppend(q, QStringLiteral("Mitglied"), QStringLiteral("PASSNR"));
    try {
        q.fieldByName(QStringLiteral("PASSNR")).setAsString(passnr);
        // Posted directly rather than through the flag of ABSQueryPost: the user must learn
        // that the member was not stored.
        q.post();
    } catch (...) {
        q.cancel();
        throw;
    }
}

void f_ligaExit(Context& c, ControlId)
{
    Spielbogen& s = c.sheet;
    s.MitDoppel = false;
    const QString liga = s.text("f_liga").trimmed();
    try {
        if (LigaLesen(c, liga) == 1) {
            db::Dataset& q = c.abfragen.Q_LIGA;
            SachbearbeiterLesen(c, feld(q, "BEARBEITERX"));
            if (q.fieldByName(QStringLiteral("DOPPELI")).asInteger() == 1)
                s.MitDoppel = true;
        }
    } catch (const std::exception&) {
        // The doubles row follows the flag also when reading the league failed half-way.
        DoppelSpiel(c);
        throw;
    }
    DoppelSpiel(c);
}

void f_HeimteamExit(Context& c, ControlId)
{
    const QString heim = c.sheet.text("f_Heimteam").trimmed();
    const QString gast = c.sheet.text("f_gastteam").trimmed();
    if (heim.isEmpty() || gast.isEmpty() || heim != gast)
        return;
    c.dialogs.information(kTeamsGleich);
    c.focus.focusIfPossible("f_Heimteam");
}

}  // namespace klw
