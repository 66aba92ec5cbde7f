#include <QTimer>
#include <algorithm>
#include <limits>

#include "sheet/context.h"
#include "snapshots/snapshots.h"

namespace klw {

void bt_schliessen3Click(Context& c, const QString&)
{
    Spielbogen& s = c.sheet;
    if (s.text("f_intervall").trimmed().isEmpty())
        s.setText("f_intervall", QStringLiteral("10"));
    bool ok = false;
    qint64 minutes = s.text("f_intervall").toLongLong(&ok);
    if (!ok)
        minutes = 30;
    // A timer interval is an int of milliseconds; longer intervals are held at the largest one.
    const qint64 ms = minutes * 60000;
    s.SicherungsIntervall = int(std::clamp<qint64>(ms, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
    if (c.Timer1) {
        c.Timer1->stop();
        c.Timer1->setInterval(s.SicherungsIntervall);
        // With no minutes, or fewer than none, the autosave gives no ticks.
        if (s.SicherungsIntervall > 0)
            c.Timer1->start();
    }
    s.setVisible("p_admin", false);
}

}  // namespace klw
