// Member look-ups over a large member table: 100,000 generated members in a copy of the
// shipped database. The look-up by pass number runs the statement of SpielerLesen through
// ABSQueryOpen; the search runs the player search's surname filter (both spellings, like);
// the last one opens the whole table, as a new member's creation does.

#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>

#include "data/abfragen.h"
#include "data/dm_sys.h"
#include "data/statement.h"

namespace {

constexpr int kMembers = 100000;

struct LargeDatabase {
    QTemporaryDir dir;
    klw::Abfragen abfragen;
    klw::TDM_SYS dm;

    LargeDatabase()
    {
        const QString programFolder = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalPath();
        const QString shipped = programFolder + QStringLiteral("/Datenbank/KLW.abs");
        const QString file = dir.path() + QStringLiteral("/KLW.abs");
        if (!QFile::copy(shipped, file)) {
            std::fprintf(stderr, "%s is missing; build the klw_database target\n", qPrintable(shipped));
            std::exit(1);
        }
        QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner);
        abfragen.ABSDatabase1.open(file);
        // Pass numbers 500000 ... 599999; surnames from 40 stems and 25 endings.
        abfragen.ABSDatabase1.execute(QStringLiteral(
            "begin;"
            "insert into Mitglied (PASSNR, VORNAME, NACHNAME, NAME, NICKNAMEX, TEAM, LIGA)"
            " with recursive n(i) as (select 0 union all select i + 1 from n where i < %1)"
            " select 500000 + i, 'Vorname' || (i % 97),"
            "  substr('MeierSchulKampsPohl_VogtWolffBraunLangeKrausFuchsBeckeWagneNeumaSchwaHartmWerneLehmaKoehlPeterSandeBoehmDreieWilmsGrossOsterHuseMErdmaLindeKayaaNowakSzymaJanseMayerMaierMeyerWiesnTerhoStratHuelsPiepe', 1 + (i % 40) * 5, 5)"
            "   || substr('er   mann ing  ke   s    ers  horstkampbrinkfeld hoff berg meyerwald dorf kötteheim hagenbach bergelandweg  stadtrode burg ', 1 + (i / 40 % 25) * 5, 5),"
            "  'Name ' || i, 'Ruf' || (i % 13), 'Team ' || (i % 600), 'Liga ' || (i % 21)"
            " from n;"
            "commit;")
                                              .arg(kMembers - 1));
    }
};

LargeDatabase& database()
{
    static LargeDatabase db;
    return db;
}

void SpielerLesen_Passnummer(benchmark::State& state)
{
    LargeDatabase& db = database();
    int i = 0;
    for (auto _ : state) {
        const QString passnr = QString::number(500000 + (i * 7919) % kMembers);
        ++i;
        const int found = db.dm.ABSQueryOpen(db.abfragen.Q_SPIELER, QStringLiteral("select * from Mitglied") +
                                                                         klw::Format(u" where PASSNR = '%s' ", passnr));
        benchmark::DoNotOptimize(db.abfragen.Q_SPIELER.fieldByName(QStringLiteral("NAME")).asString());
        if (found != 1)
            state.SkipWithError("member not found");
    }
}
BENCHMARK(SpielerLesen_Passnummer)->Unit(benchmark::kMicrosecond);

void Spielersuche_Nachname(benchmark::State& state)
{
    LargeDatabase& db = database();
    int rows = 0;
    for (auto _ : state) {
        const QString sql = QStringLiteral("select * from Mitglied  where PASSNR <> '' ") +
                            klw::Format(u" and ((NACHNAME like '%s') or ", QStringLiteral("%Meier%")) +
                            klw::Format(u"      (NACHNAME like '%s')) ", QStringLiteral("%meier%")) +
                            klw::Format(u" order by %s ", QStringLiteral("NACHNAME"));
        db.dm.ABSQueryOpen(db.abfragen.Q_SPIELER, sql);
        rows = db.abfragen.Q_SPIELER.recordCount();
    }
    state.counters["rows"] = rows;
}
BENCHMARK(Spielersuche_Nachname)->Unit(benchmark::kMillisecond);

// SpielerAnlegen opens the whole member table before it appends the new member.
void SpielerAnlegen_ganzeTabelle(benchmark::State& state)
{
    LargeDatabase& db = database();
    for (auto _ : state)
        db.dm.ABSQueryOpen(db.abfragen.Q_SPIELER, QStringLiteral("select * from Mitglied"));
    state.counters["rows"] = db.abfragen.Q_SPIELER.recordCount();
}
BENCHMARK(SpielerAnlegen_ganzeTabelle)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
