#pragma once
// Whole match sheets for the snapshot tests and benchmarks: header, twelve pass numbers,
// a line-up with substitutes picked and typed, all sets, both doubles, a two-line remark
// and the place, different for every number n. And the stored row of a snapshot, read raw.

#include <QHash>
#include <QString>
#include <QVariant>
#include <sqlite3.h>

#include "dbengine/connection.h"
#include "dbengine/statement.h"
#include "sheet/spielbogen.h"
#include "sheet/tables.h"

namespace klw::test {

inline void ganzenSpielbogenFuellen(Spielbogen& s, int n)
{
    s.Saison = QStringLiteral("2006");
    s.setText("f_liga", QStringLiteral("Oberliga"));
    s.setText("f_spieltag", QString::number(n % 18 + 1));
    s.setText("f_datum", QStringLiteral("%1.07.2006").arg(n % 28 + 1, 2, 10, QLatin1Char('0')));
    s.setText("f_Heimteam", QStringLiteral("DC Adler Bottrop"));
    s.setText("f_gastteam", QStringLiteral("Highlander 'Hülsmann' %1").arg(n));
    s.setText("m_bemerkung", QStringLiteral("Sicherung %1\r\nzweite Zeile").arg(n));
    s.setText("f_ort", QStringLiteral("Bottrop, ") + s.text("f_datum"));
    for (const PlayerRow& z : kPlayerRows)
        s.setText(z.passNr, QString::number(20000 + 1000 * (z.home ? z.number : 6 + z.number) + n % 1000));
    int k = 0;
    for (const Game& e : kSingles) {
        ++k;
        if ((k + n) % 5 == 0)
            s.selectItem(e.homeChoice, 1);  // H5 picked
        else
            s.selectItem(e.homeChoice, 0);
        if ((k + n) % 7 == 0)
            s.setText(e.guestChoice, QStringLiteral("G6"));  // typed
        else
            s.selectItem(e.guestChoice, 0);
        s.setText(e.homeSets, QString::number((k + n) % 3));
        s.setText(e.guestSets, (k + n) % 11 == 0 ? QString() : QString::number((2 * k + n) % 3));
    }
    for (const Game& d : kDoubles) {
        s.setText(d.homeChoice, QStringLiteral("H%1 / H%2 (%3)").arg(d.slot).arg(d.slot + 1).arg(n));
        s.setText(d.guestChoice, QStringLiteral("G%1 / G%2").arg(d.slot + 2).arg(d.slot + 3));
        s.setText(d.homeSets, QString::number((n + d.slot) % 3));
        s.setText(d.guestSets, QStringLiteral("2"));
        s.setText(d.homePoint, QStringLiteral("0"));
        s.setText(d.guestPoint, QStringLiteral("1"));
    }
}

// One stored row as SQLite holds it, by column name; empty when there is no such row.
inline QHash<QString, QVariant> gespeicherteZeile(sqlite3* db, int lfdNr)
{
    db::PreparedStatement st(db, QStringLiteral("select * from SICHERUNG where LFDNRI = ?"));
    st.bind(1, lfdNr);
    QHash<QString, QVariant> zeile;
    if (st.step()) {
        for (int i = 0; i < sqlite3_column_count(st.get()); ++i)
            zeile.insert(QString::fromUtf8(sqlite3_column_name(st.get(), i)), st.column(i));
    }
    return zeile;
}

inline int anzahlSicherungen(sqlite3* db)
{
    db::PreparedStatement st(db, QStringLiteral("select count(*) from SICHERUNG"));
    st.step();
    return st.column(0).toInt();
}

}  // namespace klw::test
