#include <QRect>
#include <QTimer>
#include <algorithm>
#include <limits>

#include "base/text.h"
#include "data/abfragen.h"
#include "data/aktuelles_spiel.h"
#include "data/dm_sys.h"
#include "sheet/context.h"
#include "snapshots/snapshots.h"

namespace klw {

namespace {

void intervallVorbelegen(Spielbogen& s)
{
    if (isBlank(s.text("f_intervall")))
        s.setText("f_intervall", QStringLiteral("10"));
}

}  // namespace

void Image2Click(Context& c, ControlId)
{
    Spielbogen& s = c.sheet;
    s.setVisible("p_admin", true);
    // The small screen has the panel nearer the top left; the large one only lower.
    s.setGeometry("p_admin",
                  s.Bildschirm == QLatin1String("klein") ? QRect(150, 200, 500, 300) : QRect(344, 400, 500, 300));
    intervallVorbelegen(s);
    c.DM_SYS.ABSQueryOpen(c.abfragen.Q_LESEN, QStringLiteral("select * from SICHERUNG ") + AktuellesSpiel(s) +
                                                  QStringLiteral(" order by GESPEICHERTD desc"));
}

void bt_ladenClick(Context& c, ControlId)
{
    const QString gesichert = c.abfragen.Q_LESEN.fieldByName(QStringLiteral("GESPEICHERTD")).asString();
    if (!c.dialogs.confirm(QStringLiteral("Durch das herstellen der ausgewählten Sicherung, \n\rWird der aktuelle "
                                          "Stand überschrieben\n\r\n\rSoll die Sicherung vom ") +
                           gesichert + QStringLiteral(" hergestellt werden?")))
        return;
    c.sheet.SicherungGeladen = true;
    SicherungHerstellen(c);
}

void bt_schliessen3Click(Context& c, ControlId)
{
    Spielbogen& s = c.sheet;
    intervallVorbelegen(s);
    bool ok = false;
    qint64 minutes = s.text("f_intervall").toLongLong(&ok);
    if (!ok)
        minutes = 30;
    // A timer interval is an int of milliseconds; longer intervals are held at the largest one.
    const qint64 ms = minutes * 60000;
    s.SicherungsIntervall =
        int(std::clamp<qint64>(ms, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
    c.Timer1.stop();
    c.Timer1.setInterval(s.SicherungsIntervall);
    // With no minutes, or fewer than none, the autosave gives no ticks.
    if (s.SicherungsIntervall > 0)
        c.Timer1.start();
    s.setVisible("p_admin", false);
}

}  // namespace klw
