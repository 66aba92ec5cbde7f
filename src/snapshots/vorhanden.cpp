#include "data/abfragen.h"
#include "data/dm_sys.h"
#include "data/statement.h"
#include "sheet/context.h"
#include "snapshots/snapshots.h"

namespace klw {

QString AktuellesSpiel(const Spielbogen& s)
{
    return Format(u" where SAISONX = '%s' ", s.Saison) + Format(u"   and LIGAX = '%s' ", s.text("f_liga")) +
           Format(u"   and HTEAMX = '%s' ", s.text("f_Heimteam")) +
           Format(u"   and GTEAMX = '%s' ", s.text("f_gastteam")) +
           Format(u"   and SPIELTAGI = %d ", s.number("f_spieltag"));
}

void SicherungObVorhandenPruefen(Context& c)
{
    if (!c.DM_SYS || !c.abfragen)
        return;
    db::Dataset& Q_DELETE = c.abfragen->Q_DELETE;
    const QString spiel = AktuellesSpiel(c.sheet);
    if (c.DM_SYS->ABSQueryOpen(Q_DELETE, QStringLiteral("select * from SICHERUNG ") + spiel) == 0)
        return;
    if (c.dialogs.confirm(QStringLiteral(
            "Für das ausgewählte Spiel sind noch Sicherungsdatein vorhanden\n\r\n\rSollen diese gelöscht werden?")))
        c.DM_SYS->ABSQueryUpdate(Q_DELETE, QStringLiteral("delete from SICHERUNG ") + spiel);
}

}  // namespace klw
