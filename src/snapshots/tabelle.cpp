#include "snapshots/tabelle.h"

#include <QStringList>

#include "dbengine/connection.h"
#include "dbengine/statement.h"
#include "snapshots/spalten.h"

namespace klw {

namespace {

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
    const QStringList vorhanden = vorhandeneSpalten(db);
    if (!vorhanden.isEmpty() && !vorhanden.contains(kOrtSpalte))
        db.execute(QStringLiteral("alter table SICHERUNG add column ") + kOrtSpalte + QStringLiteral(" TEXT"));
}

}  // namespace klw
