// Snapshots over a large database: 10,000 stored snapshots and 100,000 members in a copy
// of the shipped database on disk. One save, beside a bare SQLite insert of the same row on
// the same connection (same journal mode and synchronous setting: the floor); opening the
// backup panel's list; one restore of a whole sheet. Every figure is the time of a single
// operation; run with repetitions and read the median, e.g.
//   bench_snapshots --benchmark_repetitions=30 --benchmark_report_aggregates_only=true

#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringList>
#include <QTemporaryDir>
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "data/abfragen.h"
#include "data/dm_sys.h"
#include "dbengine/statement.h"
#include "lifecycle/start.h"
#include "sheet/tables.h"
#include "snapshots/snapshots.h"
#include "support/fakes.h"
#include "support/snapshot_sheet.h"

namespace {

constexpr int kMembers = 100000;
constexpr int kSnapshots = 10000;

struct LargeDatabase {
    QTemporaryDir dir;
    klw::test::Harness h;
    klw::Abfragen& abfragen = h.abfragen;
    int n = 0;

    LargeDatabase()
    {
        const QString programFolder = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalPath();
        QDir(dir.path()).mkpath(QStringLiteral("Datenbank"));
        const QString file = dir.path() + QStringLiteral("/Datenbank/KLW.abs");
        if (!QFile::copy(programFolder + QStringLiteral("/Datenbank/KLW.abs"), file)) {
            std::fprintf(stderr, "the shipped database is missing; build the klw_database target\n");
            std::exit(1);
        }
        QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner);
        h.c.programFolder = dir.path() + QLatin1Char('/');
        klw::ProgrammStart(h.c);

        // Members with pass numbers 500000 ... 599999.
        abfragen.ABSDatabase1.execute(
            QStringLiteral(
                "begin;"
                "insert into Mitglied (PASSNR, VORNAME, NACHNAME, NAME, NICKNAMEX, TEAM, LIGA)"
                " with recursive n(i) as (select 0 union all select i + 1 from n where i < %1)"
                " select 500000 + i, 'Vorname' || (i % 97), 'Nachname' || (i % 1009), 'Name ' || i, 'Ruf' || (i % 13),"
                "  'Team ' || (i % 600), 'Liga ' || (i % 21) from n;"
                "commit;")
                .arg(kMembers - 1));

        // One whole snapshot through the program, then 9,999 copies of it for other matches.
        fuellen();
        klw::SicherungErstellen(h.c);
        abfragen.ABSDatabase1.execute(
            QStringLiteral("create temporary table vorlage as select * from SICHERUNG where LFDNRI = 1"));
        QStringList spalten;
        {
            klw::db::PreparedStatement st(abfragen.ABSDatabase1.handle(), QStringLiteral("select * from vorlage"));
            for (int i = 1; i < sqlite3_column_count(st.get()); ++i)
                spalten << QString::fromUtf8(sqlite3_column_name(st.get(), i));
        }
        // Copies 2 .. 10,000: other match days, teams and seasons; 20 of them of the match on the sheet.
        QStringList auswahl = spalten;
        auswahl.replaceInStrings(QRegularExpression(QStringLiteral("^GTEAMX$")),
                                 QStringLiteral("case when i % 500 = 0 then GTEAMX else 'Gast ' || (i % 97) end"));
        auswahl.replaceInStrings(QRegularExpression(QStringLiteral("^SPIELTAGI$")),
                                 QStringLiteral("case when i % 500 = 0 then SPIELTAGI else 1 + i % 18 end"));
        auswahl.replaceInStrings(QRegularExpression(QStringLiteral("^GESPEICHERTD$")),
                                 QStringLiteral("datetime(GESPEICHERTD, '-' || i || ' minutes')"));
        abfragen.ABSDatabase1.execute(
            QStringLiteral("begin;"
                           "insert into SICHERUNG (LFDNRI, %1)"
                           " with recursive n(i) as (select 2 union all select i + 1 from n where i < %2)"
                           " select i, %3 from n, vorlage;"
                           "drop table vorlage;"
                           "commit;")
                .arg(spalten.join(QLatin1Char(',')))
                .arg(kSnapshots)
                .arg(auswahl.join(QLatin1Char(','))));
    }

    // A whole sheet of the same match every time, with members of the large table.
    void fuellen()
    {
        klw::test::ganzenSpielbogenFuellen(h.sheet, 0);
        h.sheet.setText("f_gastteam", QStringLiteral("Highlander Herten"));
        h.sheet.setText("m_bemerkung", QStringLiteral("Sicherung %1\r\nzweite Zeile").arg(++n));
        int i = 0;
        for (const klw::PlayerRow& z : klw::kPlayerRows)
            h.sheet.setText(z.passNr, QString::number(500000 + 7919 * ++i));
    }
};

LargeDatabase& database()
{
    static LargeDatabase db;
    return db;
}

double seconds(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void SicherungErstellen_eine(benchmark::State& state)
{
    LargeDatabase& db = database();
    for (auto _ : state) {
        db.fuellen();
        const auto start = std::chrono::steady_clock::now();
        klw::SicherungErstellen(db.h.c);
        state.SetIterationTime(seconds(start));
    }
}
BENCHMARK(SicherungErstellen_eine)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);

// The floor: the same row, all its columns bound, inserted by one prepared statement in
// autocommit on the same connection.
void SQLite_Insert_gleicheZeile(benchmark::State& state)
{
    LargeDatabase& db = database();
    sqlite3* handle = db.abfragen.ABSDatabase1.handle();
    klw::db::PreparedStatement vorlage(handle, QStringLiteral("select * from SICHERUNG where LFDNRI = 1"));
    vorlage.step();
    const int spalten = sqlite3_column_count(vorlage.get());
    QStringList namen, marken;
    for (int i = 0; i < spalten; ++i) {
        namen << QString::fromUtf8(sqlite3_column_name(vorlage.get(), i));
        marken << QStringLiteral("?");
    }
    klw::db::PreparedStatement einfuegen(
        handle, QStringLiteral("insert into SICHERUNG (%1) values (%2)").arg(namen.join(','), marken.join(',')));
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        sqlite3_reset(einfuegen.get());
        einfuegen.bind(1, QVariant());  // a new LFDNRI
        for (int i = 1; i < spalten; ++i)
            einfuegen.bind(i + 1, vorlage.column(i));
        einfuegen.step();
        state.SetIterationTime(seconds(start));
    }
}
BENCHMARK(SQLite_Insert_gleicheZeile)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);

void Image2Click_Liste(benchmark::State& state)
{
    LargeDatabase& db = database();
    db.fuellen();
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        klw::Image2Click(db.h.c, "Image2");
        state.SetIterationTime(seconds(start));
    }
    state.counters["rows"] = db.abfragen.Q_LESEN.recordCount();
}
BENCHMARK(Image2Click_Liste)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);

void SicherungHerstellen_eine(benchmark::State& state)
{
    LargeDatabase& db = database();
    for (auto _ : state) {
        db.fuellen();
        klw::Image2Click(db.h.c, "Image2");
        db.abfragen.Q_LESEN.setRecNo(int(db.n % 5));
        db.h.sheet.SicherungGeladen = true;
        db.h.sheet.setText("f_h1name", QString());
        const auto start = std::chrono::steady_clock::now();
        klw::SicherungHerstellen(db.h.c);
        state.SetIterationTime(seconds(start));
        if (db.h.sheet.text("f_h1name").isEmpty() || db.h.sheet.isVisible("p_admin")) {
            state.SkipWithError("the snapshot was not restored");
            break;
        }
    }
    if (!db.h.dialogs.shown.isEmpty())
        state.SkipWithError(qPrintable(db.h.dialogs.shown.last().text));
}
BENCHMARK(SicherungHerstellen_eine)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
