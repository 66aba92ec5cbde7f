#include "snapshots/tabelle.h"

#include <QStringList>

#include "dbengine/connection.h"
#include "dbengine/statement.h"
#include "snapshots/spalten.h"

namespace klw {

namespace {

struct Nachtrag {
    const QString& spalte;
    const char* typ;
};

QStringList vorhandeneSpalten(db::Connection& db)
{
    db::PreparedStatement info(db.handle(), QStringLiteral("pragma table_info(SICHERUNG)"));
    QStringList spalten;
    while (info.step())
        spalten << info.column(1).toString().toUpper();
    return spalten;
}

}  // namespace

void SicherungstabelleErgaenzen(db::Connection& db)
{
    const Nachtrag nachtraege[] = {{kOrtSpalte, "TEXT"}};
    const QStringList vorhanden = vorhandeneSpalten(db);
    if (vorhanden.isEmpty())
        return;
    for (const Nachtrag& n : nachtraege) {
        if (!vorhanden.contains(n.spalte))
            db.execute(QStringLiteral("alter table SICHERUNG add column %1 %2").arg(n.spalte, QLatin1String(n.typ)));
    }
}

}  // namespace klw
