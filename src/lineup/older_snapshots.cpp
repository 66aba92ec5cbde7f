#include "lineup/older_snapshots.h"

#include "data/abfragen.h"
#include "data/aktuelles_spiel.h"
#include "data/dm_sys.h"
#include "data/schreibfehler.h"
#include "data/statement.h"
#include "sheet/context.h"

namespace klw {

void SicherungObVorhandenPruefen(Context& c)
{
    db::Dataset& Q_DELETE = c.abfragen.Q_DELETE;
    const QString spiel = AktuellesSpiel(c.sheet);
    if (c.DM_SYS.ABSQueryOpen(Q_DELETE, QStringLiteral("select * from SICHERUNG ") + spiel) == 0)
        return;
    if (!c.dialogs.confirm(QStringLiteral(
            "Für das ausgewählte Spiel sind noch Sicherungsdatein vorhanden\n\r\n\rSollen diese gelöscht werden?")))
        return;
    // Run directly rather than through ABSQueryUpdate, which keeps a failure to itself: the
    // user must know that the snapshots are still there. The name transfer goes on.
    try {
        Q_DELETE.execute(QStringLiteral("delete from SICHERUNG ") + spiel);
    } catch (const std::exception& e) {
        c.dialogs.error(writeFailureText(QStringLiteral("Die Sicherungen des Spiels wurden nicht gelöscht."), e));
    }
}

}  // namespace klw
